#include "core/PointerList.h"

#include "tests/core/AllocationFailure.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Logs its id when destroyed, so the order of deletion can be checked.
struct Tracked {
    int id;
    std::vector<int>* deleted;
    ~Tracked() { deleted->push_back(id); }
};

std::vector<int> Ids(const PointerList<Tracked>& list)
{
    std::vector<int> ids;
    for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Get(i)->id);
    return ids;
}

} // namespace

TEST(PointerList, InsertDeleteAndOwnership)
{
    std::vector<int> deleted;
    {
        PointerList<Tracked> list;
        list.Add(new Tracked{1, &deleted});
        list.Add(new Tracked{2, &deleted});
        {
            SCOPED_TRACE("insert at 0 shifts the others up; beyond the count appends; below 0 is 0");
            list.Insert(0, new Tracked{0, &deleted});
            EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2}));
            list.Insert(10, new Tracked{3, &deleted});
            list.Insert(-4, new Tracked{9, &deleted});
            EXPECT_EQ(Ids(list), (std::vector<int>{9, 0, 1, 2, 3}));
            EXPECT_EQ(list.Get(5), nullptr);
        }
        {
            SCOPED_TRACE("DeleteAt destroys the element and closes the gap; outside the list nothing");
            list.DeleteAt(0);
            list.DeleteAt(4);
            list.DeleteAt(-1);
            EXPECT_EQ(deleted, (std::vector<int>{9}));
            EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2, 3}));
            deleted.clear();
        }
    }
    EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1, 0})) << "an owning list must delete last first";
}

TEST(PointerList, FailedAddStoresNothing)
{
    std::vector<int> deleted;
    PointerList<Tracked> list;
    Tracked element{1, &deleted};
    {
        AllocationFailure failure(true, true);
        EXPECT_FALSE(list.Add(&element));
        EXPECT_FALSE(list.Insert(0, &element));
    }
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(deleted.empty()) << "a refused element was destroyed";
}
