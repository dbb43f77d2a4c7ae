#include <gtest/gtest.h>

#include "toolkit/filter_list.h"

namespace {

using tk::detail::FilterEntries;
using Entries = std::vector<std::string>;

TEST(FilterList, PairsBecomeNamedEntries) {
    EXPECT_EQ(FilterEntries("Font (*.fnt)|*.fnt|All files (*.*)|*.*"), (Entries{"Font (*.fnt)", "All files (*.*)"}));
}

TEST(FilterList, NamesWithoutPatternsGetThem) {
    EXPECT_EQ(FilterEntries("Pictures|*.png;*.bmp"), (Entries{"Pictures (*.png *.bmp)"}));
    EXPECT_EQ(FilterEntries("Odd"), (Entries{"Odd (*)"}));
    EXPECT_TRUE(FilterEntries("").empty());
}

}  // namespace
