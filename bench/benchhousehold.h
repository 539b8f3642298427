#pragma once
// A bench folder filled once by a benchmark's seed and made the program's
// data folder while it lives.
#include "benchfolder.h"

#include "context/context.h"

#include <functional>

class BenchHousehold {
public:
    explicit BenchHousehold(const std::function<void(const BenchFolder&)>& seed)
    {
        seed(folder_);
        DataFolder = folder_.Path();
    }
    ~BenchHousehold() { DataFolder.clear(); }
    BenchHousehold(const BenchHousehold&) = delete;
    BenchHousehold& operator=(const BenchHousehold&) = delete;

private:
    BenchFolder folder_;
};
