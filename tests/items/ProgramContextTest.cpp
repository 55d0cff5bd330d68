#include <gtest/gtest.h>

#include "items/ProgramContext.h"
#include "items/StringTable.h"

namespace vantrel {
namespace {

// A test's own texts are seen everywhere texts are read while its context is
// in force, nest, and leave the program's texts untouched.
TEST(ProgramContext, ScopesPutTheirOwnObjectsInForceAndNest) {
    const std::string programs = Str(26);
    ASSERT_FALSE(programs.empty());
    StringTable outerTexts, innerTexts;
    outerTexts.LoadResources();
    outerTexts.Set(26, "Projekt speichern");
    ProgramContext outer, inner;
    outer.strings = &outerTexts;
    inner.strings = &innerTexts;  // no resources loaded: every text empty
    {
        ScopedProgramContext first(outer);
        EXPECT_EQ(&Context(), &outer);
        EXPECT_EQ(Str(26), "Projekt speichern");
        {
            ScopedProgramContext second(inner);
            EXPECT_TRUE(Str(26).empty());
        }
        EXPECT_EQ(Str(26), "Projekt speichern");
    }
    EXPECT_EQ(Str(26), programs);
}

}  // namespace
}  // namespace vantrel
