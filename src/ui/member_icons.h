#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace morva {

// The member list's pictures, numbered from 1 as GetIcon chooses them: a badge with the product's
// letters, or a mark for operators (1), unknown products (12), squelched members (14) and flag 1 (16).
inline constexpr int MemberIconCount = 21;
inline constexpr QSize MemberIconSize{28, 14};

// The picture of an icon number, drawn at a whole-number scale; numbers out of range draw as unknown.
QImage MemberIconImage(int number, int scale = 1);
// The same at single and double density.
QIcon MemberIcon(int number);

// The program's own icon, an "MC" badge, for its windows and the notification area.
QIcon ApplicationIcon();

}  // namespace morva
