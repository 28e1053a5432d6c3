#pragma once

#include <string>

namespace morva {

class Bot;

// The notification-area tip: the logon's name and channel.
std::string TrayTip(const Bot& bot);
// Form_Load step: the saved window size and position, each measure only when config.bot has it.
void RestoreGeometry(Bot& bot);
// After every change of the window's size or state: a laid-out window saves its geometry about a
// second later; a minimised one goes to the tray with the logon in its tip.
void Form_Resize(Bot& bot, bool minimized);
// Writes the window's geometry to config.bot, then stops.
void tmrResize_Timer(Bot& bot);
// Once a minute: every IdleDelay minutes the idle message goes out.
void tmrIdle_Timer(Bot& bot);
void mnuAbout_Click(Bot& bot);
// A geometry value as config.bot holds it: at most 7 significant digits, no point for a whole number.
std::string TwipsText(double twips);

}  // namespace morva
