#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_locale.h"
#include "widgets/listview/list_model.h"

namespace remvana {

namespace {

class ProgramRows : public ::testing::Test {
  protected:
    // Adds a row the way a fill does: a new row, then its texts, then its caption.
    void add(const std::string& name, std::vector<std::string> subItems = {}) {
        const std::size_t index = model.addRow();
        model.setSubItems(index, std::move(subItems));
        model.setCaption(index, name);
    }

    std::vector<std::string> column(int c) const {
        std::vector<std::string> texts;
        for (const ListRow& row : model.rows())
            texts.push_back(row.text(c));
        return texts;
    }

    FakeLocale locale;
    ListModel model{locale};
};

using Texts = std::vector<std::string>;

} // namespace

TEST(CompareBytes, UnsignedBytesThenLength) {
    EXPECT_EQ(0, compareBytes("abc", "abc"));
    EXPECT_EQ(-1, compareBytes("Zeta", "alpha"));
    EXPECT_EQ(1, compareBytes("alpha", "Zeta"));
    EXPECT_EQ(-1, compareBytes("ab", "abc"));
    EXPECT_EQ(1, compareBytes("abc", ""));
    // Bytes above 127 are larger than any ASCII letter.
    EXPECT_EQ(1, compareBytes("\xC4pfel", "zebra"));
}

TEST_F(ProgramRows, NameOrderIsTheLocaleOrderNotByteOrder) {
    for (const char* name : {"beta", "Alpha", "gamma", "Delta", "alpha"})
        add(name);
    EXPECT_EQ((Texts{"alpha", "Alpha", "beta", "Delta", "gamma"}), column(0));
}

// A row added to a long sorted list goes where one stable sort of all rows would put it: after
// the rows of the same name that were there before.
TEST_F(ProgramRows, ARowAddedToASortedListTakesItsPlaceStably) {
    Texts names, ages;
    model.beginUpdate();
    for (int i = 0; i < 20; ++i) {
        const std::string name = "n" + std::to_string(10 + i);
        add(name, {"old"});
        names.push_back(name);
        ages.push_back("old");
    }
    model.endUpdate();
    model.beginUpdate();
    add("n15", {"new"});
    model.endUpdate();
    model.sortAgain();
    names.insert(names.begin() + 6, "n15");
    ages.insert(ages.begin() + 6, "new");
    EXPECT_EQ(names, column(0));
    EXPECT_EQ(ages, column(1));
}

// Under a column sort, an update that ends with sortAgain gives the order of the name sort
// followed by the column sort (ties of the column in name order), without sorting by name.
TEST_F(ProgramRows, AnUpdateUnderAColumnSortOrdersTiesByNameInOneSort) {
    class CountingLocale : public FakeLocale {
      public:
        int compare(const std::string& a, const std::string& b) override {
            ++compares;
            return FakeLocale::compare(a, b);
        }
        int compares = 0;
    } counting;
    ListModel rows{counting};
    const auto addTo = [&](const std::string& name, const std::string& size) {
        const std::size_t index = rows.addRow();
        rows.setSubItems(index, {size});
        rows.setCaption(index, name);
    };
    rows.beginUpdate();
    for (int i = 0; i < 40; ++i)
        addTo("n" + std::to_string(10 + i), i % 2 ? "2" : "1");
    rows.endUpdate();
    rows.headerClick(1);
    rows.beginUpdate();
    addTo("n25x", "1");
    addTo("n00", "2");
    counting.compares = 0;
    rows.endUpdateAndSortAgain();
    const int compares = counting.compares;

    std::vector<ListRow> expected = rows.rows();
    std::stable_sort(expected.begin(), expected.end(), [&](const ListRow& a, const ListRow& b) {
        return listNameLess(counting, a.caption, b.caption);
    });
    std::stable_sort(expected.begin(), expected.end(), [](const ListRow& a, const ListRow& b) {
        return compareBytes(a.text(1), b.text(1)) < 0;
    });
    ASSERT_EQ(expected.size(), rows.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i].caption, rows.row(i).caption) << i;
    EXPECT_EQ("n25x", rows.row(8).caption);
    EXPECT_LT(compares, 80) << "every row was sorted by name";
}

TEST_F(ProgramRows, InsideAnUpdateNamesSortOnceAtTheOutermostEnd) {
    model.beginUpdate();
    model.beginUpdate();
    for (const char* name : {"c", "a", "b"})
        add(name);
    EXPECT_EQ((Texts{"c", "a", "b"}), column(0)); // still as added
    EXPECT_FALSE(model.endUpdate());
    EXPECT_EQ((Texts{"c", "a", "b"}), column(0));
    EXPECT_TRUE(model.endUpdate());
    EXPECT_EQ((Texts{"a", "b", "c"}), column(0));
    // An end without a begin changes nothing.
    EXPECT_FALSE(model.endUpdate());
    EXPECT_EQ(0, model.updateDepth());
}

TEST_F(ProgramRows, RenamingMovesTheRowOnlyWhenTheNameChanges) {
    for (const char* name : {"Alpha", "Beta", "Gamma"})
        add(name);
    model.headerClick(1); // byte order of an empty column keeps the rows as they are
    EXPECT_FALSE(model.setCaption(0, "Alpha"));
    EXPECT_EQ((Texts{"Alpha", "Beta", "Gamma"}), column(0));
    EXPECT_TRUE(model.setCaption(0, "Zulu"));
    EXPECT_EQ((Texts{"Beta", "Gamma", "Zulu"}), column(0));
    // Renaming leaves the header's sort state alone.
    EXPECT_EQ(1, model.sortState().sortColumn);
    EXPECT_EQ(1, model.sortState().markedColumn);
}

TEST_F(ProgramRows, RowsKeepTheirIdentityThroughSorts) {
    add("b");
    add("a");
    const std::uint32_t idOfB = model.row(1).id;
    EXPECT_EQ(1, model.indexOfId(idOfB));
    model.headerClick(0);
    model.headerClick(0); // descending: b first
    EXPECT_EQ(0, model.indexOfId(idOfB));
    EXPECT_EQ("b", model.row(0).caption);
    EXPECT_EQ(-1, model.indexOfId(99));
}

TEST_F(ProgramRows, HeaderClickSortsTextAsBytesAndFlipsOnTheSameColumn) {
    add("Zip", {"9 Kb", "2007-03-05 14:07", "rarely"});
    add("arc", {"10 Kb", "2021-11-30 08:00", "frequently"});
    add("Mail", {"1.00 Mb", "", "occasionally"});
    add("tool", {"2 Kb"}); // no Last Used or Frequency: read as empty

    // First click on Size: ascending by characters, not magnitude.
    HeaderClickResult click = model.headerClick(1);
    EXPECT_TRUE(click.sorted);
    EXPECT_EQ(-1, click.unmarkedColumn);
    EXPECT_EQ((Texts{"1.00 Mb", "10 Kb", "2 Kb", "9 Kb"}), column(1));
    // Second click on Size reverses it.
    model.headerClick(1);
    EXPECT_EQ((Texts{"9 Kb", "2 Kb", "10 Kb", "1.00 Mb"}), column(1));
    EXPECT_EQ(SortDirection::Descending, model.sortState().direction);
    // Last Used then sorts descending: the direction carries over to a new column.
    click = model.headerClick(2);
    EXPECT_EQ(1, click.unmarkedColumn);
    EXPECT_EQ((Texts{"2021-11-30 08:00", "2007-03-05 14:07", "", ""}), column(2));
    EXPECT_EQ(SortDirection::Descending, model.sortState().direction);
    // Names by bytes: capitals before small letters.
    model.headerClick(0);
    model.headerClick(0);
    EXPECT_EQ(SortDirection::Ascending, model.sortState().direction);
    EXPECT_EQ((Texts{"Mail", "Zip", "arc", "tool"}), column(0));
    EXPECT_EQ(0, model.sortState().markedColumn);
}

TEST_F(ProgramRows, AListThatKnowsItsColumnsOrdersTheRowsItsWayInTheClickedDirection) {
    add("a", {"2"});
    add("b", {""});
    add("c", {"10"});
    // Numbers by value, the empty cell last both ways.
    const RowOrder bySize = [](const ListRow& x, const ListRow& y, SortDirection direction) {
        if (x.text(1).empty() || y.text(1).empty()) return y.text(1).empty() && !x.text(1).empty();
        const int a = std::stoi(x.text(1)), b = std::stoi(y.text(1));
        return direction == SortDirection::Ascending ? a < b : a > b;
    };
    model.headerClick(1, kListColumnCount, bySize);
    EXPECT_EQ((Texts{"a", "c", "b"}), column(0));
    model.headerClick(1, kListColumnCount, bySize);
    EXPECT_EQ((Texts{"c", "a", "b"}), column(0));
    EXPECT_EQ(SortDirection::Descending, model.sortState().direction);
}

TEST_F(ProgramRows, SortStateSurvivesARefreshWhichReturnsToNameOrder) {
    EXPECT_EQ(-1, model.sortState().sortColumn);
    EXPECT_EQ(-2, model.sortState().markedColumn);
    for (const char* name : {"beta", "Alpha"})
        add(name);
    model.headerClick(0); // byte order: Alpha, beta
    model.headerClick(0); // descending: beta, Alpha
    EXPECT_EQ((Texts{"beta", "Alpha"}), column(0));

    model.clear();
    model.beginUpdate();
    for (const char* name : {"beta", "Alpha", "alpha"})
        add(name);
    model.endUpdate();
    EXPECT_EQ((Texts{"alpha", "Alpha", "beta"}), column(0));
    EXPECT_EQ(0, model.sortState().sortColumn);
    EXPECT_EQ(0, model.sortState().markedColumn);
    EXPECT_EQ(SortDirection::Descending, model.sortState().direction);
    // The next click on the same column flips again.
    model.headerClick(0);
    EXPECT_EQ(SortDirection::Ascending, model.sortState().direction);
    EXPECT_EQ((Texts{"Alpha", "alpha", "beta"}), column(0));
}

// Rows of entries that went leave, the others keep their row ids, and the clicked column's
// order comes back after a row came or was renamed (which puts the rows in name order).
TEST_F(ProgramRows, RowsOfGoneEntriesLeaveAndTheColumnOrderComesBack) {
    const std::vector<std::pair<std::string, std::string>> rows{
        {"alpha", "3"}, {"beta", "1"}, {"gamma", "2"}, {"delta", "4"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        add(rows[i].first, {rows[i].second});
        model.setEntryId(model.indexOfId(static_cast<std::uint32_t>(i)), 10 + i);
    }
    model.headerClick(1);
    model.headerClick(1); // descending: delta 4, alpha 3, gamma 2, beta 1
    EXPECT_EQ(std::vector<std::uint32_t>{2}, model.removeRowsOfEntries({12, 99}));
    EXPECT_EQ(-1, model.indexOfId(2));
    EXPECT_EQ(-1, model.indexOfEntry(12));
    add("epsilon", {"5"});
    EXPECT_EQ((Texts{"alpha", "beta", "delta", "epsilon"}), column(0));
    model.sortAgain();
    EXPECT_EQ((Texts{"epsilon", "delta", "alpha", "beta"}), column(0));
    EXPECT_EQ(2, model.indexOfEntry(10));
}

TEST_F(ProgramRows, HeaderClickOnAnEmptyListOnlyMarksTheColumn) {
    const HeaderClickResult click = model.headerClick(3);
    EXPECT_TRUE(click.sorted);
    EXPECT_EQ(0u, model.size());
    EXPECT_EQ(3, model.sortState().markedColumn);
}

} // namespace remvana
