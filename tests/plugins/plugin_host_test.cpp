// The host's numbering and routing, with plug-ins made up by the test.
#include "plugins/plugin_host.h"

#include <gtest/gtest.h>

namespace veltaro {
namespace {

// A plug-in that records what the host asks of it.
class FakePlugin final : public Plugin {
public:
    FakePlugin(std::string name, std::vector<std::string>& calls,
               std::optional<std::vector<PluginMenuEntry>> menu = std::nullopt)
        : name_(std::move(name)), calls_(calls), menu_(std::move(menu)) {}

    std::string Name() override {
        calls_.push_back(name_ + " GetName");
        return language_ == 4 ? name_ + "（中文）" : name_;
    }
    void Execute(int id) override { calls_.push_back(name_ + " Execute " + std::to_string(id)); }
    void Initialize() override { calls_.push_back(name_ + " Initialize"); }
    void Uninitialize() override { calls_.push_back(name_ + " Uninitialize"); }
    std::optional<std::vector<PluginMenuEntry>> Menu() override { return menu_; }
    PluginItemInfo ItemInfo(int id) override {
        PluginItemInfo info;
        if (id == 202) {
            info.text = "Second, renamed";
            info.enabled = false;
            info.picture.assign(13 * 13, 0xFF00FF00u);
        }
        return info;
    }
    void SetLanguage(int language) override {
        language_ = language;
        calls_.push_back(name_ + " SetLanguage " + std::to_string(language));
    }

private:
    std::string name_;
    std::vector<std::string>& calls_;
    std::optional<std::vector<PluginMenuEntry>> menu_;
    int language_ = 9;
};

using Kind = PluginMenuEntry::Kind;

class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.AddPlugin(std::make_unique<FakePlugin>("Single", calls_), 9);
        const std::vector<PluginMenuEntry> menu = {{Kind::kCommand, 201, "First", {}},
                                                   {Kind::kCommand, 202, "Second", {}},
                                                   {Kind::kSeparator, 0, "", {}},
                                                   {Kind::kCommand, 203, "Third", {}}};
        host_.AddPlugin(std::make_unique<FakePlugin>("Menu", calls_, menu), 9);
        calls_.clear();
    }

    std::vector<std::string> calls_;
    PluginHost host_;
};

TEST_F(PluginHostTest, NumbersTheItemsFrom18000AndEndsThemWithASeparator) {
    const std::vector<MenuItem> items = host_.BuildMenuItems();

    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].kind, MenuItemKind::Command);
    EXPECT_EQ(items[0].command, 18000);
    EXPECT_EQ(items[0].caption, "Single");
    EXPECT_EQ(items[1].kind, MenuItemKind::Submenu);
    EXPECT_EQ(items[1].caption, "Menu");
    ASSERT_EQ(items[1].children.size(), 4u);
    EXPECT_EQ(items[1].children[0].command, 18001);
    EXPECT_EQ(items[1].children[1].command, 18002);
    EXPECT_EQ(items[1].children[2].kind, MenuItemKind::Separator);
    EXPECT_EQ(items[1].children[3].command, 18003);
    EXPECT_EQ(items[2].kind, MenuItemKind::Separator);
    // What the plug-in changed of its second item.
    EXPECT_EQ(items[1].children[1].caption, "Second, renamed");
    EXPECT_FALSE(items[1].children[1].enabled);
    EXPECT_EQ(items[1].children[1].picture.size(), 169u);
    EXPECT_TRUE(items[1].children[0].enabled);
    // And in the whole tray menu, at position 5.
    const std::vector<MenuItem> tray = BuildTrayMenu({9, true}, items);
    EXPECT_EQ(tray[4].kind, MenuItemKind::Separator);
    EXPECT_EQ(tray[5].command, 18000);
    EXPECT_EQ(tray[6].caption, "Menu");
    EXPECT_EQ(tray[7].kind, MenuItemKind::Separator);
    EXPECT_EQ(tray[8].command, 32824);
}

TEST_F(PluginHostTest, RoutesCommandsToThePluginsOwnIds) {
    host_.BuildMenuItems();
    calls_.clear();

    EXPECT_TRUE(host_.DispatchPluginCommand(18000));
    EXPECT_TRUE(host_.DispatchPluginCommand(18002));
    EXPECT_FALSE(host_.DispatchPluginCommand(18004));
    EXPECT_FALSE(host_.DispatchPluginCommand(32785));

    EXPECT_EQ(calls_, (std::vector<std::string>{"Single Execute 0", "Menu Execute 202"}));
}

TEST_F(PluginHostTest, EveryBuildAsksTheNamesAgainAndNumbersFrom18000) {
    host_.BuildMenuItems();
    host_.SetPluginLanguage(4);
    calls_.clear();

    const std::vector<MenuItem> again = host_.BuildMenuItems();

    EXPECT_EQ(calls_, (std::vector<std::string>{"Single GetName", "Menu GetName"}));
    EXPECT_EQ(again[0].command, 18000);
    EXPECT_EQ(again[0].caption, "Single（中文）");
    EXPECT_EQ(again[1].children[0].command, 18001);
}

TEST_F(PluginHostTest, LanguageLoadAndUnloadReachEveryPluginInOrder) {
    std::vector<std::string> calls;
    PluginHost host;
    host.AddPlugin(std::make_unique<FakePlugin>("A", calls), 4);
    host.AddPlugin(std::make_unique<FakePlugin>("B", calls), 4);
    host.SetPluginLanguage(9);
    host.UnloadPlugins();
    host.UnloadPlugins();

    EXPECT_EQ(calls,
              (std::vector<std::string>{"A Initialize", "A SetLanguage 4", "B Initialize",
                                        "B SetLanguage 4", "A SetLanguage 9", "B SetLanguage 9",
                                        "A Uninitialize", "B Uninitialize"}));
    EXPECT_EQ(host.Count(), 0u);
}

TEST(PluginHostWithoutPlugins, AddsNoItemsAndNoSeparator) {
    PluginHost host;
    EXPECT_TRUE(host.BuildMenuItems().empty());
    EXPECT_EQ(BuildTrayMenu({9, true}, {})[5].command, 32824);
}

}  // namespace
}  // namespace veltaro
