#pragma once
// GDAL's messages are kept for ours instead of going to standard error, while one lives.
#include <cpl_error.h>

namespace tarvena::gis {

class QuietErrors
{
public:
    QuietErrors()
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors &) = delete;
    QuietErrors &operator=(const QuietErrors &) = delete;
};

} // namespace tarvena::gis
