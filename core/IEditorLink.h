#pragma once

// What the plug-in core needs of its editor. The graphics framework's editor implements it;
// the core owns the editor through this face and never sees controls or bitmaps.
class IEditorLink {
  public:
    virtual ~IEditorLink() = default;

    // Used once when the editor is attached: every control bound to `paramIdx` (directly, or
    // through its first auxiliary binding) takes `normalised` as its value and default.
    virtual void SyncControlsFromCore(int paramIdx, double normalised) = 0;
    // A parameter changed in the core (preset, state, host automation, link step); may be
    // called on the audio thread under the plug-in lock.
    virtual void ParameterChangedInCore(int paramIdx, double value, bool normalised) = 0;
    virtual void CreateDrawingBitmaps() = 0;
};
