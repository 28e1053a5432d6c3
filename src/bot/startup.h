#pragma once

namespace morva {

class Bot;

// Start-up of the program, in order: caption, title lines, settings and what later steps need.
void Form_Load(Bot& bot);

}  // namespace morva
