#pragma once

namespace morva {

class Chat;

// The member list popup's entries, on the selected member; with no member selected they do nothing.
void mnuDesignate_Click(Chat& chat);
void mnuKick_Click(Chat& chat);
void mnuBan_Click(Chat& chat);
void mnuAdd_Click(Chat& chat);
void mnuRem_Click(Chat& chat);
void mnuSafeadd_Click(Chat& chat);
void mnuRemSafelist_Click(Chat& chat);

// The "Bot" menu's pane entries and the favourite channels (entry 0 to 4).
void mnuClearChat_Click(Chat& chat);
void mnuClearWhispers_Click(Chat& chat);
void mnuChannel_Click(Chat& chat, int entry);

}  // namespace morva
