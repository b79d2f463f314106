#pragma once

// What a property control tells when it has written a parameter: the canvas object whose
// component it edits re-publishes the component (the object lives in a higher layer and hands
// itself down through this interface).
class IPropertyOwner {
public:
    virtual ~IPropertyOwner() = default;
    // The component's parameters changed; flag 0 for an ordinary edit.
    virtual void Refresh(int flag) = 0;
};
