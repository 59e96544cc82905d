#include "exchange/gis/projections.h"

#include "exchange/gis/crschoice.h"
#include "storage/error.h"

#include <proj.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace tarvena::gis {

namespace {

// Owns one PJ object.
struct PjHandle
{
    PJ *pj = nullptr;
    PjHandle() = default;
    explicit PjHandle(PJ *object) : pj(object) {}
    PjHandle(PjHandle &&other) noexcept : pj(std::exchange(other.pj, nullptr)) {}
    PjHandle &operator=(PjHandle &&other) noexcept
    {
        std::swap(pj, other.pj);
        return *this;
    }
    ~PjHandle() { proj_destroy(pj); }
};

std::string reason(PJ_CONTEXT *context)
{
    const char *text = proj_context_errno_string(context, proj_context_errno(context));
    return text ? text : "";
}

} // namespace

struct Projections::Crs
{
    PjHandle pj;
    bool geographic = false;
    int base = 0;
    Ellipsoid ellipsoid;
};

struct Projections::Operation
{
    PjHandle pj; // longitude or easting first on both sides
};

struct Projections::Context
{
    PJ_CONTEXT *context = proj_context_create();
    std::map<int, Crs> systems;
    std::map<std::pair<int, int>, Operation> operations;
    ~Context()
    {
        operations.clear();
        systems.clear();
        proj_context_destroy(context);
    }
};

Projections &Projections::instance()
{
    thread_local Projections projections;
    return projections;
}

Projections::Projections() : d(std::make_unique<Context>())
{
    // Coordinates never leave the machine: no grids are fetched from the network. PROJ's own
    // messages would repeat ours on standard error.
    proj_context_set_enable_network(d->context, 0);
    proj_log_level(d->context, PJ_LOG_NONE);
}

Projections::~Projections() = default;

Projections::Crs &Projections::crs(int epsg)
{
    if (auto found = d->systems.find(epsg); found != d->systems.end())
        return found->second;
    PJ_CONTEXT *context = d->context;
    PjHandle pj(proj_create(context, epsgText(epsg).c_str()));
    if (!pj.pj || !proj_is_crs(pj.pj))
        throw Error("Система координат " + epsgText(epsg) + " неизвестна.");
    Crs crs;
    const PJ_TYPE type = proj_get_type(pj.pj);
    crs.geographic = type == PJ_TYPE_GEOGRAPHIC_2D_CRS;
    PjHandle datum(proj_crs_get_geodetic_crs(context, pj.pj));
    PjHandle ellipsoid(proj_get_ellipsoid(context, pj.pj));
    double a = 0, b = 0, inverseFlattening = 0;
    int computed = 0;
    if (!datum.pj || !ellipsoid.pj ||
        !proj_ellipsoid_get_parameters(context, ellipsoid.pj, &a, &b, &computed, &inverseFlattening))
        throw Error("Система координат " + epsgText(epsg) + " не связана с эллипсоидом.");
    crs.ellipsoid = {a, inverseFlattening > 0 ? 1 / inverseFlattening : 0};
    const char *code = proj_get_id_code(datum.pj, 0);
    const char *authority = proj_get_id_auth_name(datum.pj, 0);
    crs.base = crs.geographic ? epsg : 0;
    if (!crs.geographic && code && authority && std::string(authority) == "EPSG")
        crs.base = std::atoi(code);
    crs.pj = std::move(pj);
    return d->systems.emplace(epsg, std::move(crs)).first->second;
}

Projections::Operation &Projections::operation(int from, int to)
{
    const std::pair key(from, to);
    if (auto found = d->operations.find(key); found != d->operations.end())
        return found->second;
    PJ_CONTEXT *context = d->context;
    PjHandle raw(proj_create_crs_to_crs_from_pj(context, crs(from).pj.pj, crs(to).pj.pj, nullptr, nullptr));
    PjHandle normalized(raw.pj ? proj_normalize_for_visualization(context, raw.pj) : nullptr);
    if (!normalized.pj)
        throw Error("Нет преобразования из " + epsgText(from) + " в " + epsgText(to) + ": " +
                    reason(context) + ".");
    Operation operation;
    operation.pj = std::move(normalized);
    return d->operations.emplace(key, std::move(operation)).first->second;
}

void Projections::requireKnown(int epsg)
{
    crs(epsg);
}

bool Projections::isGeographic(int epsg)
{
    return crs(epsg).geographic;
}

int Projections::geographicBase(int epsg)
{
    const Crs &system = crs(epsg);
    if (!system.base)
        throw Error("У системы координат " + epsgText(epsg) + " нет географической основы с кодом EPSG.");
    return system.base;
}

Ellipsoid Projections::ellipsoid(int epsg)
{
    return crs(epsg).ellipsoid;
}

void Projections::transformEach(int from, int to, double *x, double *y, std::size_t n)
{
    if (from == to || n == 0)
        return;
    PJ *pj = operation(from, to).pj.pj;
    proj_errno_reset(pj);
    proj_trans_generic(pj, PJ_FWD, x, sizeof(double), n, y, sizeof(double), n, nullptr, 0, 0, nullptr, 0, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || x[i] == HUGE_VAL || y[i] == HUGE_VAL)
            x[i] = y[i] = std::nan("");
    }
}

void Projections::transform(int from, int to, double *x, double *y, std::size_t n)
{
    transformEach(from, to, x, y, n);
    for (std::size_t i = 0; i < n; ++i) {
        if (std::isnan(x[i]))
            throw Error("координаты не переводятся из " + epsgText(from) + " в " + epsgText(to));
    }
}

} // namespace tarvena::gis
