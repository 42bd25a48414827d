// Import planning: which entry each pasted or dropped path becomes, which
// paths are left out, and which sources a move may delete afterwards.
#include "shell/import_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace trevalon {
namespace {

// Native tests use "/" as the separator, the program's paths "\" on Windows.
const std::string kMenu = "/menu/";

struct FakeDisk {
    std::map<std::string, PathKind> kinds;
    std::set<std::string> existing;

    PathProbe probe() const {
        return [this](const std::string& path) {
            const auto found = kinds.find(path);
            return found == kinds.end() ? PathKind::missing : found->second;
        };
    }
    PathExists exists() const {
        return [this](const std::string& path) { return existing.count(path) > 0; };
    }
    ImportPlan plan(const std::vector<std::string>& paths) const {
        return plan_import(paths, kMenu, probe(), exists());
    }
};

TEST(ImportPlan, ShortcutsAreCopiedUnderTheirOwnNameAndOtherFilesBecomeLinks) {
    FakeDisk disk;
    disk.kinds = {{"/a/Editor.lnk", PathKind::file},
                  {"/a/News.URL", PathKind::file},
                  {"/Tools", PathKind::directory},
                  {"/Tools/run.cmd", PathKind::file}};
    const ImportPlan plan = disk.plan({"/a/Editor.lnk", "/a/News.URL", "/Tools", "/Tools/run.cmd"});
    ASSERT_EQ(plan.steps.size(), 4u);
    EXPECT_TRUE(plan.skipped.empty());

    EXPECT_EQ(plan.steps[0].action, ImportAction::copy);
    EXPECT_EQ(plan.steps[0].target, "/menu/Editor.lnk");
    EXPECT_EQ(plan.steps[1].action, ImportAction::copy);
    EXPECT_EQ(plan.steps[1].target, "/menu/News.URL");

    EXPECT_EQ(plan.steps[2].action, ImportAction::link);
    EXPECT_EQ(plan.steps[2].target, "/menu/Tools.lnk");
    EXPECT_EQ(plan.steps[2].link_target, "/Tools");
    EXPECT_EQ(plan.steps[2].working_folder, "");

    EXPECT_EQ(plan.steps[3].action, ImportAction::link);
    EXPECT_EQ(plan.steps[3].target, "/menu/run.lnk");
    EXPECT_EQ(plan.steps[3].link_target, "/Tools/run.cmd");
    EXPECT_EQ(plan.steps[3].working_folder, "/Tools/");
}

TEST(ImportPlan, AFolderKeepsItsWholeNameAndLosesTrailingSeparators) {
    FakeDisk disk;
    disk.kinds = {{"/dev/Node.js//", PathKind::directory}, {"/", PathKind::directory}};
    const ImportPlan plan = disk.plan({"/dev/Node.js//"});
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, "/menu/Node.js.lnk");
    EXPECT_EQ(plan.steps[0].link_target, "/dev/Node.js");
}

TEST(ImportPlan, AFileNameLosesOnlyItsLastExtension) {
    FakeDisk disk;
    disk.kinds = {{"/d/report.2024.pdf", PathKind::file}, {"/d/README", PathKind::empty_file}};
    const ImportPlan plan = disk.plan({"/d/report.2024.pdf", "/d/README"});
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[0].target, "/menu/report.2024.lnk");
    // An empty document is still a document: only empty shortcuts are left out.
    EXPECT_EQ(plan.steps[1].target, "/menu/README.lnk");
}

TEST(ImportPlan, EmptyShortcutsAndMissingPathsAreLeftOut) {
    FakeDisk disk;
    disk.kinds = {{"/a/Empty.url", PathKind::empty_file}, {"/a/Empty.LNK", PathKind::empty_file}};
    const ImportPlan plan = disk.plan({"/a/Empty.url", "/a/Empty.LNK", "/a/Gone.lnk", ""});
    EXPECT_TRUE(plan.steps.empty());
    ASSERT_EQ(plan.skipped.size(), 4u);
    EXPECT_EQ(plan.skipped[0].reason, SkipReason::empty_shortcut);
    EXPECT_EQ(plan.skipped[1].reason, SkipReason::empty_shortcut);
    EXPECT_EQ(plan.skipped[2].reason, SkipReason::missing);
    EXPECT_EQ(plan.skipped[3].reason, SkipReason::missing);
}

TEST(ImportPlan, ATakenNameGetsTheNextFreeNumber) {
    FakeDisk disk;
    disk.kinds = {{"/x/a.lnk", PathKind::file}};
    disk.existing = {"/menu/a.lnk", "/menu/a (1).lnk"};
    const ImportPlan plan = disk.plan({"/x/a.lnk"});
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, "/menu/a (2).lnk");
}

TEST(ImportPlan, NamesPlannedEarlierCountAsTakenInAnyLetterCase) {
    FakeDisk disk;
    disk.kinds = {
        {"/x/a.lnk", PathKind::file}, {"/y/A.lnk", PathKind::file}, {"/z/a.txt", PathKind::file}};
    const ImportPlan plan = disk.plan({"/x/a.lnk", "/y/A.lnk", "/z/a.txt"});
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_EQ(plan.steps[0].target, "/menu/a.lnk");
    EXPECT_EQ(plan.steps[1].target, "/menu/A (1).lnk");
    EXPECT_EQ(plan.steps[2].target, "/menu/a (2).lnk");
}

TEST(ImportPlan, APathIsSkippedWhenAllNinetyNineNamesAreTakenAndTheOthersGoOn) {
    FakeDisk disk;
    disk.kinds = {{"/x/Page.lnk", PathKind::file}, {"/x/Other.lnk", PathKind::file}};
    disk.existing.insert("/menu/Page.lnk");
    for (int n = 1; n <= 99; ++n)
        disk.existing.insert("/menu/Page (" + std::to_string(n) + ").lnk");
    const ImportPlan plan = disk.plan({"/x/Page.lnk", "/x/Other.lnk"});
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_EQ(plan.skipped[0].source, "/x/Page.lnk");
    EXPECT_EQ(plan.skipped[0].reason, SkipReason::no_free_name);
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, "/menu/Other.lnk");
}

TEST(ImportPlan, ATargetFolderWithoutSeparatorGetsOne) {
    FakeDisk disk;
    disk.kinds = {{"/x/a.lnk", PathKind::file}};
    const ImportPlan plan = plan_import({"/x/a.lnk"}, "/menu", disk.probe(), disk.exists());
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, "/menu/a.lnk");
}

std::vector<ImportStep> imported_steps() {
    return {
        {"/menu/Games/a.lnk", ImportAction::copy, "/menu/Tools/a.lnk", "", ""},
        {"/menu/Games/notes.txt", ImportAction::link, "/menu/Tools/notes.lnk",
         "/menu/Games/notes.txt", "/menu/Games/"},
        {"/elsewhere/b.lnk", ImportAction::copy, "/menu/Tools/b.lnk", "", ""},
        {"/MENU/Games/C.url", ImportAction::copy, "/menu/Tools/C.url", "", ""},
    };
}

TEST(MoveDrop, DeletesOnlyCopiedShortcutsFromInsideTheMenu) {
    const auto sources =
        sources_to_delete_after_move(imported_steps(), "/menu/", "/menu/Tools/", "/menu/Games/");
    EXPECT_EQ(sources, (std::vector<std::string>{"/menu/Games/a.lnk", "/MENU/Games/C.url"}));
}

TEST(MoveDrop, DeletesNothingWhenTheTargetIsTheListedFolder) {
    EXPECT_TRUE(
        sources_to_delete_after_move(imported_steps(), "/menu", "/menu/Tools/", "/Menu/tools")
            .empty());
}

TEST(MoveDrop, NothingImportedNothingDeleted) {
    EXPECT_TRUE(sources_to_delete_after_move({}, "/menu/", "/menu/Tools/", "/menu/").empty());
}

TEST(Paths, InsideAFolderMeansBelowItWithLetterCaseIgnored) {
    EXPECT_TRUE(path_is_inside("/Menu/Ärger/a.lnk", "/menu/ärger/"));
    EXPECT_FALSE(path_is_inside("/menu/", "/menu/"));
    EXPECT_FALSE(path_is_inside("/menus/a.lnk", "/menu/"));
    EXPECT_FALSE(path_is_inside("/menu/a.lnk", ""));
    EXPECT_TRUE(same_path("/A/b.LNK", "/a/B.lnk"));
}

}  // namespace
}  // namespace trevalon
