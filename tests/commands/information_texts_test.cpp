// The information boxes' texts: which parts appear, in which order.
#include "commands/information_texts.h"

#include <gtest/gtest.h>

#include "texts/text_table.h"

namespace trevalon {
namespace {

TextTable table() {
    TextTable texts;
    load_builtin_texts(texts);
    return texts;
}

TEST(FolderInformation, NamesTheViewAndTheSelectedFolder) {
    const TextTable texts = table();
    EXPECT_EQ(folder_information(true, {"C:\\m\\Games\\", "Games"}, texts),
              texts.find("TXT00228") + "\n\n" + texts.find("TXT00229") + "\nC:\\m\\Games\\\n\n");
    EXPECT_EQ(folder_information(false, {}, texts), texts.find("TXT00227") + "\n\n");
}

TEST(EntryInformation, ShowsLocationOnlyWhenItDiffersFromTheTarget) {
    const TextTable texts = table();
    SelectedEntry link{"C:\\m\\Ed.lnk", "Ed", "C:\\Ed.exe", "", true};
    EXPECT_EQ(entry_information(true, link, texts),
              texts.find("TXT00236") + "\n\n" + texts.find("TXT00237") + "\nC:\\m\\Ed.lnk\n\n" +
                  texts.find("TXT00238") + "\nC:\\Ed.exe\n\n");

    SelectedEntry document{"C:\\m\\a.txt", "a", "C:\\m\\a.txt", "", false};
    EXPECT_EQ(entry_information(false, document, texts),
              texts.find("TXT00235") + "\n\n" + texts.find("TXT00238") + "\nC:\\m\\a.txt\n\n");
}

TEST(EntryInformation, EndsWithTheNote) {
    const TextTable texts = table();
    SelectedEntry app{"C:\\m\\App.lnk", "App", "", "Universal App", false};
    EXPECT_EQ(entry_information(false, app, texts), texts.find("TXT00235") + "\n\n" +
                                                        texts.find("TXT00237") +
                                                        "\nC:\\m\\App.lnk\n\nUniversal App\n");
}

}  // namespace
}  // namespace trevalon
