// File lists on the clipboard, in the file-drop format other programs use,
// and the shell's properties sheet of a file.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// Files in the clipboard's file-drop list; 0 when there is none or the
// clipboard is held by another program.
int clipboard_file_count();
// Their full paths (UTF-8, any length; a list written wide or single-byte).
std::vector<std::string> clipboard_files();
// The same joined by "|", which no path can hold; empty when there is none.
std::string clipboard_file_list();

// Empties the clipboard when its file list is exactly `paths` (files the
// program put there and has since taken away); true when it did.
bool empty_clipboard_if_it_lists(const std::vector<std::string>& paths, HWND owner);

// Puts the paths on the clipboard as a file-drop list; true when it is there.
// A folder's trailing separator is dropped. The clipboard is opened with the
// owner window: emptying it without one leaves it owner-less, and Windows
// then refuses the new data.
bool copy_files_to_clipboard(const std::vector<std::string>& paths, HWND owner = nullptr);

// Opens the shell's properties sheet of the file, on the named page when a
// page name is given. True when the shell took the request.
bool show_properties(HWND owner, std::string_view path, std::string_view page = {});

// The request show_properties hands the shell: the verb "properties" on file,
// page as its parameters, owned by owner, with the item-list, keep-process
// and no-UI flags. It points into file and page.
SHELLEXECUTEINFOW properties_request(HWND owner, const std::wstring& file,
                                     const std::wstring& page);

}  // namespace trevalon
