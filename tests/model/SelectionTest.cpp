#include "model/Selection.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/FailureText.h"

namespace knapsack {
namespace {

using testing_failure::failureText;

// Three items: (weight 2, cost 10), (weight 3, cost 20), (weight 4, cost 30), capacity 5.
const char* const kThreeItems = "1 3 5 2 10 3 20 4 30";

void expectTotals(const Selection& selection, int32_t cost, int32_t weight, int32_t count) {
    EXPECT_EQ(selection.cost(), cost);
    EXPECT_EQ(selection.weight(), weight);
    EXPECT_EQ(selection.chosenCount(), count);
}

void expectFlags(const Selection& selection, std::initializer_list<int> flags) {
    int32_t i = 0;
    for (int flag : flags) {
        EXPECT_EQ(selection.contains(i), flag) << "item " << i;
        ++i;
    }
}

TEST(Selection, StartsEmptyAndValid) {
    const Selection selection{Instance(kThreeItems)};
    expectFlags(selection, {0, 0, 0});
    expectTotals(selection, 0, 0, 0);
    EXPECT_EQ(selection.valid(), 1);
    EXPECT_EQ(failureText([&] { selection.contains(3); }), "index out of bounds");
}

TEST(Selection, AddAndRemoveKeepTheTotals) {
    Selection selection{Instance(kThreeItems)};
    selection.add(1);
    expectFlags(selection, {0, 1, 0});
    expectTotals(selection, 20, 3, 1);
    selection.add(2);
    expectTotals(selection, 50, 7, 2);
    selection.remove(1);
    expectFlags(selection, {0, 0, 1});
    expectTotals(selection, 30, 4, 1);
    selection.remove(2);
    expectTotals(selection, 0, 0, 0);
    EXPECT_EQ(selection.valid(), 1);
}

TEST(Selection, RepeatedAddOrRemoveFailsAndChangesNothing) {
    Selection selection{Instance(kThreeItems)};
    selection.add(1);
    EXPECT_EQ(failureText([&] { selection.add(1); }), "Opakovane pridani");
    expectFlags(selection, {0, 1, 0});
    expectTotals(selection, 20, 3, 1);
    EXPECT_EQ(failureText([&] { selection.remove(2); }), "Opakovane ubrani");
    expectFlags(selection, {0, 1, 0});
    expectTotals(selection, 20, 3, 1);
}

TEST(Selection, AnIndexOutsideTheItemsFailsBeforeAnythingElse) {
    Selection selection{Instance(kThreeItems)};
    EXPECT_EQ(failureText([&] { selection.add(3); }), "index out of bounds");
    EXPECT_EQ(failureText([&] { selection.remove(-1); }), "index out of bounds");
    expectTotals(selection, 0, 0, 0);
    Selection empty{Instance("1 0 5")};
    EXPECT_EQ(failureText([&] { empty.add(0); }), "index out of bounds");
}

TEST(Selection, OverweightOnlyAboveTheCapacity) {
    Selection selection{Instance("1 3 10 4 1 6 1 1 1")};
    selection.add(0);
    selection.add(1);
    EXPECT_FALSE(selection.isOverweight());  // weight 10 = capacity
    selection.add(2);
    EXPECT_TRUE(selection.isOverweight());  // weight 11
    EXPECT_TRUE(Selection{Instance("1 0 -1")}.isOverweight());
}

TEST(Selection, NegativeWeightsLowerTheWeight) {
    Selection selection{Instance("1 2 0 5 1 -7 1")};
    selection.add(0);
    EXPECT_TRUE(selection.isOverweight());
    selection.add(1);
    EXPECT_EQ(selection.weight(), -2);
    EXPECT_FALSE(selection.isOverweight());
}

TEST(Selection, TotalsWrapAsTwosComplement) {
    Selection selection{Instance("1 2 0 2147483647 2147483647 1 1")};
    selection.add(0);
    selection.add(1);
    EXPECT_EQ(selection.cost(), INT_MIN);
    EXPECT_EQ(selection.weight(), INT_MIN);
    EXPECT_FALSE(selection.isOverweight());
    selection.remove(0);
    expectTotals(selection, 1, 1, 1);
}

TEST(Selection, ResetChoosesNothingAgain) {
    Selection selection{Instance(kThreeItems)};
    selection.add(0);
    selection.add(2);
    selection.reset();
    expectFlags(selection, {0, 0, 0});
    expectTotals(selection, 0, 0, 0);
    EXPECT_EQ(selection.valid(), 1);
}

TEST(Selection, CopiesAreIndependent) {
    Selection source{Instance(kThreeItems)};
    source.add(0);
    Selection copied(source);
    Selection assigned{Instance("2 1 1 1 1")};
    assigned = source;

    copied.add(1);
    assigned.remove(0);
    expectFlags(source, {1, 0, 0});
    expectTotals(source, 10, 2, 1);
    expectFlags(copied, {1, 1, 0});
    expectTotals(assigned, 0, 0, 0);
    EXPECT_EQ(assigned.instance().itemCount(), 3);
    EXPECT_EQ(assigned.instance().costOf(2), 30);
}

TEST(Selection, DefaultConstructedIsAnInvalidPlaceholderUntilAssigned) {
    Selection cell;
    EXPECT_EQ(cell.valid(), 0);
    Selection filled{Instance(kThreeItems)};
    filled.add(2);
    cell = filled;
    EXPECT_EQ(cell.valid(), 1);
    expectFlags(cell, {0, 0, 1});
    expectTotals(cell, 30, 4, 1);
    EXPECT_EQ(cell.instance().capacity(), 5);
}

}  // namespace
}  // namespace knapsack
