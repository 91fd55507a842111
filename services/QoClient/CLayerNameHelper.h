#pragma once
// Map layers and the names users see for them.
//
// A layer is a file in the project's "Layers" folder, in sub-folders by
// theme, with the extension ".lyr". Its layer path is relative to the project
// directory, with '/' between folders: "Layers/Geology/Frio Top.lyr". Its
// display name is the path below "Layers" without the extension:
// "Geology/Frio Top". Display names are unique because paths are, so either
// gives the other:
//
//   layer path                          display name
//   Layers/Wells.lyr                    Wells
//   Layers/Geology/Frio Top.lyr         Geology/Frio Top
//   Maps/Culture.lyr                    ../Maps/Culture
//   /data/shared/Culture.lyr            /data/shared/Culture   (outside the project)
//
// GetDisplayName also takes '\' separators, "." and ".." steps and absolute
// paths inside the current project; the display name of a file with another
// extension keeps it ("Grids/Depth.grd"), and such a name does not lead back
// to that file.

#include <string>

using CString = std::string;

class CLayerNameHelper {
public:
    CLayerNameHelper() = delete;

    static constexpr const char* kLayerFolder = "Layers";
    static constexpr const char* kLayerExtension = ".lyr";

    // Empty for an empty path.
    static CString GetDisplayName(const char* lpszLayerPath);
    // Empty for an empty name.
    static CString RelativePathFromDisplayName(const char* lpszDisplayName);
};
