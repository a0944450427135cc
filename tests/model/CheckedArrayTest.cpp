#include "model/CheckedArray.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/FailureText.h"
#include "model/Instance.h"
#include "model/Selection.h"

namespace knapsack {
namespace {

using testing_failure::failureText;

constexpr const char* kOutOfBounds = "index out of bounds";

template <typename Element>
void expectNoValidIndex(CheckedArray<Element>& array) {
    for (int32_t index : {INT_MIN, -1, 0, 1, INT_MAX}) {
        EXPECT_EQ(failureText([&] { (void)array[index]; }), kOutOfBounds) << "index " << index;
    }
}

TEST(CheckedArray, DefaultConstructedIsEmpty) {
    CheckedArray<int32_t> array;
    EXPECT_EQ(array.elementCount(), 0);
    expectNoValidIndex(array);
}

TEST(CheckedArray, AcceptsExactlyTheIndexesInsideTheArray) {
    CheckedArray<int32_t> array;
    array.resize(3);
    for (int32_t i = 0; i < 3; ++i) {
        array[i] = 10 * i;
    }
    EXPECT_EQ(array[0], 0);
    EXPECT_EQ(array[2], 20);
    EXPECT_EQ(failureText([&] { (void)array[3]; }), kOutOfBounds);
    EXPECT_EQ(failureText([&] { (void)array[-1]; }), kOutOfBounds);
    const CheckedArray<int32_t>& readOnly = array;
    EXPECT_EQ(readOnly[1], 10);
    EXPECT_EQ(failureText([&] { (void)readOnly[3]; }), kOutOfBounds);
}

TEST(CheckedArray, ZeroOrNegativeCountKeepsTheCountButHasNoIndex) {
    for (int32_t count : {0, -1, -5, INT_MIN}) {
        CheckedArray<int32_t> array;
        array.resize(4);
        array.resize(count);
        EXPECT_EQ(array.elementCount(), count);
        expectNoValidIndex(array);
    }
}

TEST(CheckedArray, ResizeLeavesOnlyFreshSelections) {
    const Instance instance("1 2 10 3 4 5 6");
    CheckedArray<Selection> row;
    row.resize(2);
    row[0] = Selection(instance);
    row[1] = Selection(instance);
    EXPECT_EQ(row[1].valid(), 1);

    row.resize(2);
    EXPECT_EQ(row[0].valid(), 0);
    EXPECT_EQ(row[1].valid(), 0);
    row.resize(3);
    EXPECT_EQ(row[2].valid(), 0);
}

TEST(CheckedArray, CopiesAreDeepAndIndependent) {
    CheckedArray<int32_t> source;
    source.resize(3);
    for (int32_t i = 0; i < 3; ++i) {
        source[i] = i + 1;
    }

    CheckedArray<int32_t> copied(source);
    CheckedArray<int32_t> assigned;
    assigned.resize(7);
    assigned = source;
    for (const CheckedArray<int32_t>* copy : {&copied, &assigned}) {
        ASSERT_EQ(copy->elementCount(), 3);
        EXPECT_EQ((*copy)[0], 1);
        EXPECT_EQ((*copy)[2], 3);
    }

    copied[0] = 100;
    assigned[1] = 200;
    EXPECT_EQ(source[0], 1);
    EXPECT_EQ(source[1], 2);
    EXPECT_EQ(assigned[0], 1);
}

TEST(CheckedArray, AssignmentOverAnArrayOfTheSameCountStillCopiesEveryElement) {
    CheckedArray<int32_t> source;
    source.resize(2);
    source[0] = 5;
    source[1] = 6;
    CheckedArray<int32_t> target;
    target.resize(2);
    target[0] = -1;
    target[1] = -1;
    target = source;
    EXPECT_EQ(target[0], 5);
    EXPECT_EQ(target[1], 6);
}

TEST(CheckedArray, AssignmentFromAnEmptyOrNegativeSourceEmptiesTheTarget) {
    for (int32_t sourceCount : {0, -3}) {
        CheckedArray<int32_t> source;
        source.resize(sourceCount);
        CheckedArray<int32_t> target;
        target.resize(4);
        target = source;
        EXPECT_EQ(target.elementCount(), sourceCount);
        expectNoValidIndex(target);
    }
}

TEST(CheckedArray, SelfAssignmentKeepsTheContents) {
    CheckedArray<int32_t> array;
    array.resize(2);
    array[0] = 7;
    array[1] = 8;
    CheckedArray<int32_t>& alias = array;
    array = alias;
    ASSERT_EQ(array.elementCount(), 2);
    EXPECT_EQ(array[0], 7);
    EXPECT_EQ(array[1], 8);
}

TEST(CheckedArray, CopiedTableOwnsItsRowsAndSelections) {
    const Instance instance("1 1 10 3 4");
    CheckedArray<CheckedArray<Selection>> table;
    table.resize(2);
    table[0].resize(1);
    table[0][0] = Selection(instance);

    CheckedArray<CheckedArray<Selection>> copy(table);
    copy[0][0].add(0);
    EXPECT_EQ(table[0][0].chosenCount(), 0);
    EXPECT_EQ(copy[0][0].chosenCount(), 1);
    EXPECT_EQ(copy[1].elementCount(), 0);
}

}  // namespace
}  // namespace knapsack
