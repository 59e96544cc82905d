#pragma once
// The volumetric resources of a productive horizon: oil (O1-O3), gas (G1, G2) and condensate (C1, C2),
// computed from the deterministic counting parameters. An absent input leaves every figure that needs
// it absent; figures are in million t (oil, condensate) and million m3 (gas).
#include <optional>

namespace tarvena {

struct ResourceInputs
{
    // Oil.
    std::optional<double> S;     // SQUARENEFTENOSN, km2
    std::optional<double> h;     // EFECTOILWIDTH, m
    std::optional<double> m;     // OILKOEFOTKRPORIST
    std::optional<double> Kn;    // KOEFOILNASUSH
    std::optional<double> rho;   // OILPLOTN, t/m3
    std::optional<double> Kf;    // KOEFOILZAP
    std::optional<double> theta; // OILPERERASCHKOEF
    std::optional<double> Kr;    // KOEFOILIZVL
    std::optional<double> G;     // OILGAZFACTOR, m3/t
    // Gas and condensate.
    std::optional<double> F;  // SQUAREGAZONOSN, km2
    std::optional<double> hg; // EFECTGAZWIDTH, m
    std::optional<double> mg; // GAZKOEFOTKRPORIST
    std::optional<double> Kg; // KOEFGAZNASUSH
    std::optional<double> P0; // GAZSTARTPLASTPREASURE, atm
    std::optional<double> Pk; // GAZENDPLASTPREASURE, atm
    std::optional<double> z;  // GAZKOEFSZIM
    std::optional<double> f;  // GAZTEMPERPOPR
    std::optional<double> d;  // GAZSODSUH
    std::optional<double> c;  // GAZCONDAVGSTARTCONSIST, g/m3
    std::optional<double> Kc; // GAZCONDKOEFIZVLECH
};

struct ResourceResults
{
    std::optional<double> balanceOil;        // O1, CALC_BAL_RES
    std::optional<double> recoverableOil;    // O2, CALC_PERSP_RES
    std::optional<double> dissolvedGas;      // O3, CALC_PERSP_RES_RGAZ
    std::optional<double> initialGas;        // G1, CALC_BALGAZ_RES
    std::optional<double> balanceGas;        // G2, CALC_NEWGAZBAL
    std::optional<double> balanceCondensate; // C1, CALC_BALGAZCOND_RES
    std::optional<double> recoverableCond;   // C2, CALC_PERSPGAZCOND_RES
};

// Products are formed left to right in extended precision and stored as doubles. The oil and the gas
// step each stop at the first result that is not a finite double (an overflow, a division by zero):
// that result and the ones after it in the step stay absent, the ones before it stand.
ResourceResults computeResources(const ResourceInputs &in);

// Fluid classes of the hydrocarbon type UV_ID (model/fluid.h).
bool isOilBearing(int uvId);
bool isGasBearing(int uvId);
bool isCondensateBearing(int uvId);

} // namespace tarvena
