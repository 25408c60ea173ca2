#include "ui/ListModel.h"

#include <gtest/gtest.h>

#include "errors/RuntimeError.h"

namespace plenvik {
namespace {

class RecordingObserver : public ListObserver {
public:
    std::vector<std::string> events;
    void listReset() override { events.push_back("reset"); }
    void rowInserted(int i) override { events.push_back("insert " + std::to_string(i)); }
    void rowChanged(int i) override { events.push_back("change " + std::to_string(i)); }
    void rowRemoved(int i) override { events.push_back("remove " + std::to_string(i)); }
    void selectionChanged() override { events.push_back("select"); }
    void ensureVisible(int i) override { events.push_back("visible " + std::to_string(i)); }
};

TEST(ListModelTest, KeysAreUniqueExceptTheEmptyKey) {
    ListModel list("lvwProjects");
    list.addColumn("Version", 1300);
    list.add("a.Plenvk", "03.01.0001", "DESY");
    list.add("", "x");
    list.add("", "y");
    try {
        list.add("a.Plenvk", "again");
        FAIL() << "a duplicate key must be refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 35602);
    }
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.find("a.Plenvk"), 0);
    EXPECT_EQ(list.find("b"), -1);
}

TEST(ListModelTest, SelectionFollowsItsRowThroughInsertRemoveAndSort) {
    ListModel list("l");
    list.addColumn("T", 100);
    list.addColumn("K", 100);
    for (const char* k : {"c", "a", "b"}) {
        const int i = list.add(k, k);
        list.setSubItem(i, 1, std::string("key-") + k);
    }
    list.select(1);  // "a"
    list.insert(0, "z", "z");
    EXPECT_EQ(list.selectedRow()->key, "a");
    list.sortBy(1, true);  // key-a key-b key-c, then "z" (empty sub-item sorts first)
    EXPECT_EQ(list.row(0).key, "z");
    EXPECT_EQ(list.row(1).key, "a");
    EXPECT_EQ(list.selectedRow()->key, "a");
    list.remove(0);
    EXPECT_EQ(list.selectedIndex(), 0);
    list.remove(0);
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST(ListModelTest, FindingByKeyFollowsEveryInsertRemoveAndSort) {
    ListModel list("l");
    list.addColumn("T", 100);
    for (int i = 0; i < 20000; ++i) list.add("ICON" + std::to_string(i), std::to_string(99999 - i));
    list.insert(5, "mitte", "x");
    list.remove(10);
    list.sortBy(0, true);
    for (int i = 0; i < list.size(); i += 997) EXPECT_EQ(list.find(list.row(i).key), i) << list.row(i).key;
    EXPECT_EQ(list.find("ICON9"), -1) << "removed (it was at 10 after the insert)";
    EXPECT_EQ(list.find("mitte"), list.size() - 1);
    list.clear();
    EXPECT_EQ(list.find("ICON0"), -1);
}

TEST(ListModelTest, SortIgnoresCaseAndCanDescend) {
    ListModel list("l");
    list.addColumn("T", 100);
    for (const char* t : {"beta", "Alpha", "gamma"}) list.add("", t);
    list.sortBy(0, true);
    EXPECT_EQ(list.row(0).text, "Alpha");
    EXPECT_EQ(list.row(2).text, "gamma");
    list.sortBy(0, false);
    EXPECT_EQ(list.row(0).text, "gamma");
}

TEST(ListModelTest, ObserverHearsEveryChange) {
    ListModel list("l");
    RecordingObserver seen;
    list.setObserver(&seen);
    list.addColumn("T", 100);
    list.add("k", "t");
    list.setSubItem(0, 3, "beyond the columns");
    list.setForeColor(0, kColorBlue);
    list.select(0);
    list.ensureVisible(0);
    list.remove(0);
    list.clear();
    const std::vector<std::string> expected = {"reset", "insert 0", "change 0", "change 0", "select", "visible 0", "remove 0", "reset"};
    EXPECT_EQ(seen.events, expected);
}

TEST(ListModelTest, OutOfRangeIndexIsARunTimeErrorNotACrash) {
    ListModel list("l");
    EXPECT_THROW(list.row(0), RuntimeError);
    EXPECT_THROW(list.setText(3, "x"), RuntimeError);
    EXPECT_THROW(list.insert(2, "", "x"), RuntimeError);
    EXPECT_THROW(list.select(5), RuntimeError);
}

}  // namespace
}  // namespace plenvik
