// Layer paths and display names: each gives the other for layers in the
// project's layer folder and for files elsewhere, and odd spellings of a
// path give the display name of the path they mean.

#include <gtest/gtest.h>

#include "services/QoClient/CLayerNameHelper.h"
#include "services/project/CTeskProject.h"
#include "support/TestEngines.h"

namespace {

TEST(LayerNameTest, PathsAndDisplayNamesInvertEachOther) {
    const struct {
        const char* path;
        const char* display;
    } cases[] = {
        {"Layers/Wells.lyr", "Wells"},
        {"Layers/Geology/Frio Top.lyr", "Geology/Frio Top"},
        {"Layers/Geology/Structure/Frio Top (old).lyr", "Geology/Structure/Frio Top (old)"},
        {"Layers/Frio v1.2.lyr", "Frio v1.2"},
        {"Layers/Übersicht.lyr", "Übersicht"},
        {"Maps/Culture.lyr", "../Maps/Culture"},
        {"/data/shared/Culture.lyr", "/data/shared/Culture"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CLayerNameHelper::GetDisplayName(c.path), c.display);
        EXPECT_EQ(CLayerNameHelper::RelativePathFromDisplayName(c.display), c.path);
    }
    EXPECT_EQ(CLayerNameHelper::GetDisplayName(nullptr), "");
    EXPECT_EQ(CLayerNameHelper::RelativePathFromDisplayName(nullptr), "");
}

TEST(LayerNameTest, OtherSpellingsOfAPathGiveItsDisplayName) {
    const struct {
        const char* path;
        const char* display;
    } cases[] = {
        {"Layers\\Geology\\Frio Top.lyr", "Geology/Frio Top"},
        {"./Layers/Wells.lyr", "Wells"},
        {"Layers/Geology/../Wells.lyr", "Wells"},
        {"Layers//Faults.lyr", "Faults"},
        {"Layers/Grids/Depth.grd", "Grids/Depth.grd"},  // not a layer file: the extension stays
    };
    for (const auto& c : cases) EXPECT_EQ(CLayerNameHelper::GetDisplayName(c.path), c.display) << c.path;

    // An absolute path inside the current project counts from the project.
    tesk::test::TempDir dir;
    CTeskProject::Create(dir.path() / "p", tesk::project::Descriptor{});
    const std::string inside = (CTeskProject::Current().GetPath() / "Layers" / "Geology" / "Frio Top.lyr").string();
    EXPECT_EQ(CLayerNameHelper::GetDisplayName(inside.c_str()), "Geology/Frio Top");
    CTeskProject::Close();
}

} // namespace
