// Catalogue-like items to hang on spans in tests and benchmarks.
#pragma once

#include "uSignal.h"

#include <memory>

namespace corvadel::test {

// A three-section 12 inch aluminium head of the catalogue (S3A-12AL).
inline std::unique_ptr<TBaseSignal> SignalHead(double distance)
{
    auto signal = std::make_unique<TBaseSignal>();
    signal->SetIsSignal(true);
    signal->SetSignalType("S3A");
    signal->SetCode("S3A-12AL");
    signal->SetMaterial("Aluminum");
    signal->SetLensSize(12);
    signal->SetSections(3);
    signal->SetSimpleDeadLoad(45);
    signal->SetHeight(3.5);
    signal->SetSimpleAreaFactor(4.1);
    signal->SetDistance(distance);
    signal->SetWeight(45);
    return signal;
}

} // namespace corvadel::test
