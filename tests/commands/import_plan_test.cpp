// Import planning: which entry each pasted or dropped path becomes, which
// paths are left out, and which sources a move may delete afterwards.
#include "commands/import_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "menu/path_text.h"

namespace trevalon {
namespace {

// Paths with the platform's own separator: "/" natively, a backslash under Wine.
std::string p(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

const std::string kMenu = p("/menu/");

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
    disk.kinds = {{p("/a/Editor.lnk"), PathKind::file},
                  {p("/a/News.URL"), PathKind::file},
                  {p("/Tools"), PathKind::directory},
                  {p("/Tools/run.cmd"), PathKind::file}};
    const ImportPlan plan =
        disk.plan({p("/a/Editor.lnk"), p("/a/News.URL"), p("/Tools"), p("/Tools/run.cmd")});
    ASSERT_EQ(plan.steps.size(), 4u);
    EXPECT_TRUE(plan.skipped.empty());

    EXPECT_EQ(plan.steps[0].action, ImportAction::copy);
    EXPECT_EQ(plan.steps[0].target, p("/menu/Editor.lnk"));
    EXPECT_EQ(plan.steps[1].action, ImportAction::copy);
    EXPECT_EQ(plan.steps[1].target, p("/menu/News.URL"));

    EXPECT_EQ(plan.steps[2].action, ImportAction::link);
    EXPECT_EQ(plan.steps[2].target, p("/menu/Tools.lnk"));
    EXPECT_EQ(plan.steps[2].link_target, p("/Tools"));
    EXPECT_EQ(plan.steps[2].working_folder, "");

    EXPECT_EQ(plan.steps[3].action, ImportAction::link);
    EXPECT_EQ(plan.steps[3].target, p("/menu/run.lnk"));
    EXPECT_EQ(plan.steps[3].link_target, p("/Tools/run.cmd"));
    EXPECT_EQ(plan.steps[3].working_folder, p("/Tools/"));
}

TEST(ImportPlan, AFolderKeepsItsWholeNameAndLosesTrailingSeparators) {
    FakeDisk disk;
    disk.kinds = {{p("/dev/Node.js//"), PathKind::directory}, {p("/"), PathKind::directory}};
    const ImportPlan plan = disk.plan({p("/dev/Node.js//")});
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/Node.js.lnk"));
    EXPECT_EQ(plan.steps[0].link_target, p("/dev/Node.js"));
}

TEST(ImportPlan, AFileNameLosesOnlyItsLastExtension) {
    FakeDisk disk;
    disk.kinds = {{p("/d/report.2024.pdf"), PathKind::file},
                  {p("/d/README"), PathKind::empty_file}};
    const ImportPlan plan = disk.plan({p("/d/report.2024.pdf"), p("/d/README")});
    ASSERT_EQ(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/report.2024.lnk"));
    // An empty document is still a document: only empty shortcuts are left out.
    EXPECT_EQ(plan.steps[1].target, p("/menu/README.lnk"));
}

TEST(ImportPlan, EmptyShortcutsAndMissingPathsAreLeftOut) {
    FakeDisk disk;
    disk.kinds = {{p("/a/Empty.url"), PathKind::empty_file},
                  {p("/a/Empty.LNK"), PathKind::empty_file}};
    const ImportPlan plan = disk.plan({p("/a/Empty.url"), p("/a/Empty.LNK"), p("/a/Gone.lnk"), ""});
    EXPECT_TRUE(plan.steps.empty());
    ASSERT_EQ(plan.skipped.size(), 4u);
    EXPECT_EQ(plan.skipped[0].reason, SkipReason::empty_shortcut);
    EXPECT_EQ(plan.skipped[1].reason, SkipReason::empty_shortcut);
    EXPECT_EQ(plan.skipped[2].reason, SkipReason::missing);
    EXPECT_EQ(plan.skipped[3].reason, SkipReason::missing);
}

TEST(ImportPlan, ATakenNameGetsTheNextFreeNumber) {
    FakeDisk disk;
    disk.kinds = {{p("/x/a.lnk"), PathKind::file}};
    disk.existing = {p("/menu/a.lnk"), p("/menu/a (1).lnk")};
    const ImportPlan plan = disk.plan({p("/x/a.lnk")});
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/a (2).lnk"));
}

TEST(ImportPlan, NamesPlannedEarlierCountAsTakenInAnyLetterCase) {
    FakeDisk disk;
    disk.kinds = {{p("/x/a.lnk"), PathKind::file},
                  {p("/y/A.lnk"), PathKind::file},
                  {p("/z/a.txt"), PathKind::file}};
    const ImportPlan plan = disk.plan({p("/x/a.lnk"), p("/y/A.lnk"), p("/z/a.txt")});
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/a.lnk"));
    EXPECT_EQ(plan.steps[1].target, p("/menu/A (1).lnk"));
    EXPECT_EQ(plan.steps[2].target, p("/menu/a (2).lnk"));
}

TEST(ImportPlan, APathIsSkippedWhenAllNinetyNineNamesAreTakenAndTheOthersGoOn) {
    FakeDisk disk;
    disk.kinds = {{p("/x/Page.lnk"), PathKind::file}, {p("/x/Other.lnk"), PathKind::file}};
    disk.existing.insert(p("/menu/Page.lnk"));
    for (int n = 1; n <= 99; ++n)
        disk.existing.insert(p("/menu/Page (") + std::to_string(n) + ").lnk");
    const ImportPlan plan = disk.plan({p("/x/Page.lnk"), p("/x/Other.lnk")});
    ASSERT_EQ(plan.skipped.size(), 1u);
    EXPECT_EQ(plan.skipped[0].source, p("/x/Page.lnk"));
    EXPECT_EQ(plan.skipped[0].reason, SkipReason::no_free_name);
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/Other.lnk"));
}

TEST(ImportPlan, LongNamesAreCutSoEvenANumberedEntryFitsAndNoRoomMeansSkipped) {
    FakeDisk disk;
    const std::string deep = kMenu + std::string(200, 'd') + kPathSeparator;
    const std::string long_name(300, 'n');
    disk.kinds = {{p("/x/") + long_name + ".url", PathKind::file},
                  {p("/x/") + long_name + ".txt", PathKind::file},
                  {p("/x/") + long_name, PathKind::directory}};
    const ImportPlan plan = plan_import(
        {p("/x/") + long_name + ".url", p("/x/") + long_name + ".txt", p("/x/") + long_name}, deep,
        disk.probe(), disk.exists());
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_TRUE(plan.steps[0].target.ends_with("n.url"));
    EXPECT_EQ(plan.steps[0].target.size() + 5, 259u);  // room for " (99)"
    // The file's and the folder's links are cut to the same name: the second
    // takes a number.
    EXPECT_TRUE(plan.steps[1].target.ends_with("n.lnk")) << plan.steps[1].target;
    EXPECT_TRUE(plan.steps[2].target.ends_with("n (1).lnk")) << plan.steps[2].target;
    for (const ImportStep& step : plan.steps)
        EXPECT_LE(step.target.size(), 259u);

    const std::string too_deep = kMenu + std::string(250, 'd') + kPathSeparator;
    const ImportPlan none =
        plan_import({p("/x/") + long_name + ".url"}, too_deep, disk.probe(), disk.exists());
    EXPECT_TRUE(none.steps.empty());
    ASSERT_EQ(none.skipped.size(), 1u);
    EXPECT_EQ(none.skipped[0].reason, SkipReason::no_room);
}

TEST(ImportPlan, ATargetFolderWithoutSeparatorGetsOne) {
    FakeDisk disk;
    disk.kinds = {{p("/x/a.lnk"), PathKind::file}};
    const ImportPlan plan = plan_import({p("/x/a.lnk")}, p("/menu"), disk.probe(), disk.exists());
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].target, p("/menu/a.lnk"));
}

std::vector<ImportStep> imported_steps() {
    return {
        {p("/menu/Games/a.lnk"), ImportAction::copy, p("/menu/Tools/a.lnk"), "", ""},
        {p("/menu/Games/notes.txt"), ImportAction::link, p("/menu/Tools/notes.lnk"),
         p("/menu/Games/notes.txt"), p("/menu/Games/")},
        {p("/elsewhere/b.lnk"), ImportAction::copy, p("/menu/Tools/b.lnk"), "", ""},
        {p("/MENU/Games/C.url"), ImportAction::copy, p("/menu/Tools/C.url"), "", ""},
    };
}

TEST(MoveDrop, DeletesOnlyCopiedShortcutsFromInsideTheMenu) {
    const auto sources = sources_to_delete_after_move(imported_steps(), p("/menu/"),
                                                      p("/menu/Tools/"), p("/menu/Games/"));
    EXPECT_EQ(sources, (std::vector<std::string>{p("/menu/Games/a.lnk"), p("/MENU/Games/C.url")}));
}

TEST(MoveDrop, DeletesNothingWhenTheTargetIsTheListedFolder) {
    EXPECT_TRUE(sources_to_delete_after_move(imported_steps(), p("/menu"), p("/menu/Tools/"),
                                             p("/Menu/tools"))
                    .empty());
}

TEST(MoveDrop, NothingImportedNothingDeleted) {
    EXPECT_TRUE(
        sources_to_delete_after_move({}, p("/menu/"), p("/menu/Tools/"), p("/menu/")).empty());
}

TEST(Paths, InsideAFolderMeansBelowItWithLetterCaseIgnored) {
    EXPECT_TRUE(path_is_inside(p("/Menu/Ärger/a.lnk"), p("/menu/ärger/")));
    EXPECT_FALSE(path_is_inside(p("/menu/"), p("/menu/")));
    EXPECT_FALSE(path_is_inside(p("/menus/a.lnk"), p("/menu/")));
    EXPECT_FALSE(path_is_inside(p("/menu/a.lnk"), ""));
    EXPECT_TRUE(same_path(p("/A/b.LNK"), p("/a/B.lnk")));
}

}  // namespace
}  // namespace trevalon
