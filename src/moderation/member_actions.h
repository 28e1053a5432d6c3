#pragma once

namespace morva {

class Bot;

// The member list popup's entries, on the selected member; with no member selected they do nothing.
void mnuDesignate_Click(Bot& bot);
void mnuKick_Click(Bot& bot);
void mnuBan_Click(Bot& bot);
void mnuAdd_Click(Bot& bot);
void mnuRem_Click(Bot& bot);
void mnuSafeadd_Click(Bot& bot);
void mnuRemSafelist_Click(Bot& bot);

// The "Bot" menu's pane entries and the favourite channels (entry 0 to 4).
void mnuClearChat_Click(Bot& bot);
void mnuClearWhispers_Click(Bot& bot);
void mnuChannel_Click(Bot& bot, int entry);

}  // namespace morva
