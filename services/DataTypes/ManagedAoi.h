#pragma once
// An area of interest as managed clients pass it: a name and a box. An empty
// name means no area of interest.

#include <memory>

#include "platform/clr/Object.h"
#include "platform/clr/String.h"

namespace tesk::DataTypes {

class ManagedAoi : public System::Object {
public:
    ManagedAoi() = default;
    ManagedAoi(System::String name, double north, double south, double east, double west)
        : Name(std::move(name)), North(north), South(south), East(east), West(west) {}

    System::String Name;
    double North = 0;
    double South = 0;
    double East = 0;
    double West = 0;
};

using ManagedAoiRef = std::shared_ptr<ManagedAoi>;

} // namespace tesk::DataTypes

template <> struct System::TypeName<tesk::DataTypes::ManagedAoi> {
    static std::string value() { return "tesk.DataTypes.ManagedAoi"; }
};
