// The points of one parameter within a block, kept in sample-offset order.
#pragma once

#include "vst3/sdk/FObject.h"
#include "vst3/sdk/IParameterChanges.h"

#include <vector>

namespace Steinberg::Hosting {

class ParamValueQueue : public FObject, public Vst::IParamValueQueue {
  public:
    explicit ParamValueQueue(Vst::ParamID id) : paramId(id) {}

    Vst::ParamID PLUGIN_API getParameterId() override { return paramId; }
    int32 PLUGIN_API getPointCount() override { return static_cast<int32>(points.size()); }
    // False for an index outside [0, count).
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, Vst::ParamValue& value) override;
    // Inserts in offset order; a point at an offset already present replaces
    // its value. `index` receives the point's position.
    tresult PLUGIN_API addPoint(int32 sampleOffset, Vst::ParamValue value, int32& index) override;

    void clear() { points.clear(); }

    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override;
    uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
    uint32 PLUGIN_API release() override { return FObject::release(); }

    FOBJECT_TYPE(ParamValueQueue, FObject)

  private:
    struct Point {
        int32 sampleOffset;
        Vst::ParamValue value;
    };

    Vst::ParamID paramId;
    std::vector<Point> points;
};

} // namespace Steinberg::Hosting
