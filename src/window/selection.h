// What the user picked with a right click: a folder of the tree or an entry of
// the file list, with what the context-menu commands need to know about it.
#pragma once

#include <string>

namespace trevalon {

struct SelectedFolder {
    std::string path;     // ends in a separator; empty when no item was hit
    std::string display;  // the tree item's text
};

struct SelectedEntry {
    std::string path;  // list folder + file name; empty when no entry was hit
    std::string display;
    std::string target;  // what the entry starts or opens
    std::string note;    // "Universal App", or that the target is missing
    bool program = false;
};

}  // namespace trevalon
