#pragma once

#include <QUrl>
#include <string>

namespace morva {

// What the desktop is asked to open for a target of Shell::openExternal: a web address as it
// stands (an address that begins with www. over http), anything else as a local file.
QUrl ExternalUrl(const std::string& target);

}  // namespace morva
