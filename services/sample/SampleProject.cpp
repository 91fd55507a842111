#include "services/sample/SampleProject.h"

#include <stdexcept>

#include "services/project/CTeskProject.h"
#include "services/project/CrsTransform.h"
#include "services/sample/SampleModel.h"
#include "services/sample/SampleWriter.h"

namespace tesk::sample {

namespace {

project::Descriptor sampleDescriptor(const SampleOptions& options, bool withDateline) {
    project::Descriptor d;
    d.name = "Gulf Coast Sample";
    d.odbcConnect = options.odbcConnect;
    d.units = {project::kFeet, project::kFeet, project::kFeet, project::kMetres};
    d.databaseCrs = options.databaseCrs;
    d.displayCrs = "EPSG:32615";
    d.areas.push_back({kGulfField, "GalvestonBay", "EPSG:4326", 29.85, 29.35, -94.15, -94.65});
    d.areas.push_back({"North Block", "NorthBlock", "EPSG:4326", 29.85, 29.60, -94.15, -94.65});
    // The south-western part of the bay, as a box in UTM zone 15N metres.
    d.areas.push_back({"Bay South UTM", "BaySouthUTM", "EPSG:32615", 3273000, 3253000, 350000, 325000});
    if (withDateline) d.areas.push_back({"Dateline", "Dateline", "EPSG:4326", 51.70, 51.20, -179.50, 179.50});
    d.currentAoi = kGulfField;
    // The map window: Galveston Bay, in the display system's metres.
    d.logicalExtents = {true, "EPSG:32615", 3303500, 3247000, 389500, 339000};
    d.userDefaults = {kGulfStratColumn, "jdoe"};
    return d;
}

} // namespace

SampleSummary CreateSampleProject(const std::filesystem::path& dir, const SampleOptions& options) {
    const bool geographic = project::IsGeographicCrs(options.databaseCrs);
    detail::Model model(options, geographic);
    if (geographic) {
        for (detail::Well& w : model.wells) {
            w.x = w.longitude;
            w.y = w.latitude;
        }
    } else {
        const project::CrsTransform toDatabase("EPSG:4326", options.databaseCrs);
        for (detail::Well& w : model.wells)
            if (!toDatabase.Point(w.longitude, w.latitude, w.x, w.y))
                throw std::runtime_error("Cannot place well " + w.id + " in " + options.databaseCrs);
    }
    CTeskProject& project = CTeskProject::Create(dir, sampleDescriptor(options, model.datelineWells > 0));
    return detail::WriteModel(project.GetDatabase().connection(), model, options.topCount);
}

} // namespace tesk::sample
