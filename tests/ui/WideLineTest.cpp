// What a solid chart line covers, column by column, drawn with a square pen.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ui/charts/WideLineGraph.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char* what;
    QVector<QPointF> line;
    int width;
    int first;
    int count;
    // Per column from first: {lo, hi}, or {} where nothing is covered.
    std::vector<std::vector<int>> expected;
};

std::vector<std::vector<int>> spans(const std::vector<wideline::Column>& columns)
{
    std::vector<std::vector<int>> out;
    for (const auto& c : columns)
        out.push_back(c.lo <= c.hi ? std::vector<int>{c.lo, c.hi} : std::vector<int>{});
    return out;
}

TEST(WideLine, ColumnsCoveredByASquarePen)
{
    const std::vector<Case> cases{
        {"horizontal, hairline", {{2, 10.5}, {6, 10.5}}, 1, 0, 8, {{}, {}, {10, 10}, {10, 10}, {10, 10}, {10, 10}, {10, 10}, {}}},
        {"vertical jump in one column", {{3.2, 5}, {3.7, 9}}, 1, 2, 3, {{}, {5, 9}, {}}},
        {"diagonal: each column from where it enters to where it leaves",
         {{0, 0}, {4, 8}}, 1, 0, 5, {{0, 2}, {2, 4}, {4, 6}, {6, 8}, {8, 8}}},
        {"right to left is the same line", {{4, 8}, {0, 0}}, 1, 0, 5, {{0, 2}, {2, 4}, {4, 6}, {6, 8}, {8, 8}}},
        {"a lone point, three wide", {{5.5, 5.5}}, 3, 3, 5, {{}, {4, 6}, {4, 6}, {4, 6}, {}}},
        {"two wide: one more column and row after", {{5.5, 5.5}}, 2, 4, 4, {{}, {5, 6}, {5, 6}, {}}},
        {"five wide around a spike", {{0, 10}, {1, 10}, {2, 0}, {3, 10}}, 5, 0, 4,
         {{-2, 12}, {-2, 12}, {-2, 12}, {-2, 12}}},
        {"a NaN breaks the line", {{0, 0}, {2, 0}, {kNaN, kNaN}, {5, 3}, {7, 3}}, 1, 0, 8,
         {{0, 0}, {0, 0}, {0, 0}, {}, {}, {3, 3}, {3, 3}, {3, 3}}},
        {"a NaN value alone breaks it too", {{0, 1}, {1, kNaN}, {2, 1}}, 1, 0, 3, {{1, 1}, {}, {1, 1}}},
        {"clipped to the columns asked for", {{-100, 4}, {100, 4}}, 1, 0, 3, {{4, 4}, {4, 4}, {4, 4}}},
        {"nothing inside", {{-9, 1}, {-5, 1}, {20, kNaN}}, 1, 0, 3, {{}, {}, {}}},
        {"no columns", {{0, 0}, {5, 5}}, 1, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(spans(wideline::coveredColumns(c.line, c.width, c.first, c.count)), c.expected);
    }
}

}  // namespace
