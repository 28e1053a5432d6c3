#pragma once

#include <QString>
#include <vector>

namespace morva {

// A web address inside a text, by character position.
struct LinkSpan {
    qsizetype start = 0, length = 0;
    friend bool operator==(const LinkSpan&, const LinkSpan&) = default;
};

// The web addresses of a chat line: words beginning with http://, https:// or www. (any letter
// case), without the punctuation that ends a sentence around them.
std::vector<LinkSpan> FindWebLinks(const QString& text);

}  // namespace morva
