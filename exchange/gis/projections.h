#pragma once
// The PROJ objects of this thread: reference systems by EPSG code, the operations between them and
// their ellipsoids, made once and kept for the next contour (the editor asks on every horizon).
#include <cstddef>
#include <map>
#include <memory>
#include <utility>

namespace tarvena::gis {

struct Ellipsoid
{
    double semiMajor = 0;  // metres
    double flattening = 0; // 1 / inverse flattening; 0 for a sphere
};

class Projections
{
public:
    // The instance of the calling thread.
    static Projections &instance();

    Projections();
    ~Projections();
    Projections(const Projections &) = delete;
    Projections &operator=(const Projections &) = delete;

    // Throws Error (UTF-8) when PROJ does not know the code.
    void requireKnown(int epsg);
    bool isGeographic(int epsg);
    // The geographic CRS of a CRS's datum: the CRS itself when geographic, the base of a projection.
    int geographicBase(int epsg);
    Ellipsoid ellipsoid(int epsg);
    // Transforms n points in place from one CRS to another, longitude or easting first. Throws Error
    // when a point has no place in the target (PROJ's reason).
    void transform(int from, int to, double *x, double *y, std::size_t n);
    // The same, but a point that has no place in the target becomes NaN and the others go on.
    void transformEach(int from, int to, double *x, double *y, std::size_t n);

private:
    struct Crs;
    struct Operation;
    Crs &crs(int epsg);
    Operation &operation(int from, int to);

    struct Context;
    std::unique_ptr<Context> d;
};

} // namespace tarvena::gis
