#include "shell/control_map.h"

#include <map>

namespace bk {

const std::vector<ControlInfo>& controlMap() {
    static const std::vector<ControlInfo> table = {
#define BK_CONTROL(id, window, parent, page, kind, x, y, w, h, caption, font, flags, script) \
    {Ctl::id, Window::window, Ctl::parent, page, ControlKind::kind, x, y, w, h, caption, FontId::font, flags, script},
#include "shell/control_map.def"
#undef BK_CONTROL
    };
    return table;
}

const ControlInfo& controlInfo(Ctl id) { return controlMap()[static_cast<int>(id)]; }

Ctl controlByScriptName(const Text& name) {
    static const std::map<Text, Ctl> byName = [] {
        std::map<Text, Ctl> m;
        for (const auto& c : controlMap()) m.emplace(c.scriptName, c.id);
        return m;
    }();
    auto it = byName.find(name);
    return it == byName.end() ? Ctl::None : it->second;
}

const std::vector<ListColumn>& listColumns(Ctl list) {
    static const std::vector<ListColumn> none;
    static const std::vector<ListColumn> bills = {
        {"玩家名称", 80}, {"押金", 80}, {"", 0},   {"玩家投注内容", 200}, {"加成", 80},
        {"总余额", 80},   {"sa", 0},    {"符号", 0}, {"余额", 50}};
    static const std::vector<ListColumn> billStats = {{"*", 50},          {"玩家名称", 80},
                                                      {"余额", 80},       {"开奖历史", 200},
                                                      {"投注内容", 200}, {"加成", 50}};
    static const std::vector<ListColumn> playerStats = {{"玩家名称", 80}, {"押金", 50},
                                                        {"加成", 80},     {"总余额", 80},
                                                        {"下注总额", 80}, {"胜负", 50}};
    static const std::vector<ListColumn> records = {{"记录", 720}};
    static const std::vector<ListColumn> inertBills = {
        {"玩家名称", 80}, {"当前金额", 80}, {"", 0}, {"玩家投注内容", 200},
        {"加成", 80},     {"总余额", 80},   {"sa", 0}, {"符号", 0}};
    static const std::vector<ListColumn> inertStats = {
        {"*", 50}, {"玩家名称", 80}, {"余额", 80}, {"开奖历史", 200}};
    switch (list) {
        case Ctl::BillsList: return bills;
        case Ctl::BillStatsList: return billStats;
        case Ctl::InertMainList: return billStats;  // same six columns
        case Ctl::PlayerStatsList: return playerStats;
        case Ctl::RecordsList: return records;
        case Ctl::InertBillsList: return inertBills;
        case Ctl::InertStatsList: return inertStats;
        default: return none;
    }
}

const std::vector<Text>& comboItems(Ctl combo) {
    static const std::vector<Text> none;
    static const std::vector<Text> separators = {" ", ",", "。", ".", "t"};
    static const std::vector<Text> symbols = {"可以自定义", ",", "特", "/", "。", ".", "t"};
    switch (combo) {
        case Ctl::SeparatorCombo: return separators;
        case Ctl::SymbolCombo: return symbols;
        default: return none;
    }
}

const std::vector<MenuItemInfo>& menuItems(Menu menu) {
    static const std::vector<MenuItemInfo> one = {{MenuItem::DeleteAll, "全部删除"}};
    static const std::vector<MenuItemInfo> two = {{MenuItem::DeleteSelected, "点击删除 "},
                                                  {MenuItem::ClearAll, "点击全部清空"}};
    return menu == Menu::One ? one : two;
}

Colour listTextColour(Ctl list) {
    return (controlInfo(list).flags & CF_BlueText) ? rgb(0, 136, 255) : rgb(0, 0, 0);
}
Colour listBackgroundColour(Ctl) { return rgb(255, 255, 255); }

}  // namespace bk
