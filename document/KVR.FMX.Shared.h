#pragma once
// The document class of the label component: the runtime's document with its
// element creators filled by the element factory.
#include "platform/rtl/label/TKVRBaseLabel.h"

class TKVRSharedFMX : public TKVRBaseLabel
{
public:
    explicit TKVRSharedFMX(QObject* aOwner = nullptr) : TKVRBaseLabel(aOwner) {}
};
