#include "model/passportrules.h"

#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/validation.h"

namespace tarvena {
namespace {

// Fields of each number rule, by table.
const char *const pasportsGrt0[] = {
    "GRIDDENCITY", "MAXDISTANCE",   "RECIVESTEP", "MAXDISTANCE3D", "RECIVESTEP3D", "DRIVINGSTEP3D", "BINH",
    "BINW",        "GRIDDENCITYEL", "STEPEL",     "GRIDDENCITYOT", "STEPOT",       "GRIDDENCITYST"};
const char *const pasportsIntGrt0[] = {"MOGTREPETISHIONS", "MOGTREPETISHIONS3D"};

const char *const reflectGrt0[] = {"SECHENIE",  "SQUARE",         "AMPLITUDE", "LONGAXIS",
                                   "SHORTAXIS", "POSTRPRESICION", "KORRADIUS", "ZNACHFUNC",
                                   "POGRSVOD",  "POGRSVODY",      "POGRAMPL",  "POGRSQUARE"};
const char *const reflectGrt0Lower1[] = {"KOEFPROSL", "APRIORVEROYATN", "VEROYATNSTRUCT"};

const char *const productiveGrt0[] = {"SECHENIE",
                                      "POSIBLESQUARE",
                                      "AMPLITUDE",
                                      "LONGAXIS",
                                      "SHORTAXIS",
                                      "SQUARENEFTENOSN",
                                      "EFECTOILWIDTH",
                                      "OILPLOTN",
                                      "OILGAZFACTOR",
                                      "OILGAZFACTOR2",
                                      "PERSPRESGAZRASTVP",
                                      "PERSPRESGAZRASTVS",
                                      "OILSQUAREMIN",
                                      "OILSQUAREMAX",
                                      "OILWIDTHMIN",
                                      "OILWIDTHMAX",
                                      "OILPLOTNSURFMIN",
                                      "OILPLOTNSURFMAX",
                                      "OILBALANCERESOURCEP",
                                      "OILBALANCERESOURCES",
                                      "OILPERSPECTRESOURCEP",
                                      "OILPERSPECTRESOURCES",
                                      "SQUAREGAZONOSN",
                                      "EFECTGAZWIDTH",
                                      "GAZSTARTPLASTPREASURE",
                                      "GAZENDPLASTPREASURE",
                                      "GAZKOEFSZIM",
                                      "GAZTEMPERPOPR",
                                      "GAZSQUAREMIN",
                                      "GAZSQUAREMAX",
                                      "GAZWIDTHMIN",
                                      "GAZWIDTHMAX",
                                      "GAZSTARTPREASUREMIN",
                                      "GAZSTARTPREASUREMAX",
                                      "GAZSTARTPREASURE",
                                      "GAZKOEFSZIMMIN",
                                      "GAZKOEFSZIMMAX",
                                      "GAZTEMPERPOPRMIN",
                                      "GAZTEMPERPOPRMAX",
                                      "GAZBALANCERESOURCEP",
                                      "GAZBALANCERESOURCES",
                                      "GAZCONDAVGSTARTCONSIST",
                                      "GAZCONBALANCERESGAZMIN",
                                      "GAZCONBALANCERESGAZMAX",
                                      "GAZCONNACHSODKONDMIN",
                                      "GAZCONNACHSODKONDMAX",
                                      "BALANCERESGAZCONDMIN",
                                      "BALANCERESGAZCONDMAX",
                                      "IZVLEKRESGAZCONDMIN",
                                      "IZVLEKRESGAZCONDMAX",
                                      "GAZSODSUH",
                                      "GAZBALANCERESOURCEPNEW",
                                      "GAZBALANCERESOURCESNEW",
                                      "IZVLEKRESGAZCONDPNEW",
                                      "IZVLEKRESGAZCONDSNEW"};
const char *const productiveGrt0Lower1[] = {"OILKOEFOTKRPORIST",     "KOEFOILNASUSH",
                                            "OILPERERASCHKOEF",      "KOEFOILIZVL",
                                            "PERSPRESGAZRASTVPD",    "OILKOEFOTKRPORMIN",
                                            "OILKOEFOTKRPORMAX",     "OILNASUSHMIN",
                                            "OILNASUSHMAX",          "OILKOEFPERERASCHMIN",
                                            "OILKOEFPERERASCHMAX",   "OILKOEFIZVLECHMIN",
                                            "OILKOEFIZVLECHMAX",     "OILBALANCERESOURCEPD",
                                            "OILPERSPECTRESOURCEPD", "GAZKOEFOTKRPORIST",
                                            "KOEFGAZNASUSH",         "GAZKOEFOTKRPORMIN",
                                            "GAZKOEFOTKRPORMAX",     "GAZNASUSHMIN",
                                            "GAZNASUSHMAX",          "GAZBALANCERESOURCEPD",
                                            "GAZCONDKOEFIZVLECH",    "GAZCONKOEFIZVLECHMIN",
                                            "GAZCONKOEFIZVLECHMAX",  "GAZBALANCERESOURCEPDNEW",
                                            "SODSIHGORMIN",          "SODSIHGORMAX",
                                            "IZVLEKRESGAZCONDPDNEW", "KOEFOILZAP"};

using FieldHandler = void (PassportRules::*)(Field &);
using TableHandler = void (PassportRules::*)(MemTable &);

std::function<void(Field &)> bind(PassportRules &rules, FieldHandler handler)
{
    return [&rules, handler](Field &field) { (rules.*handler)(field); };
}

std::function<void(MemTable &)> bind(PassportRules &rules, TableHandler handler)
{
    return [&rules, handler](MemTable &table) { (rules.*handler)(table); };
}

template <std::size_t N>
void bindValidate(MemTable &table, const char *const (&names)[N], PassportRules &rules, FieldHandler handler)
{
    for (const char *name : names)
        table.FieldByName(name).OnValidate = bind(rules, handler);
}

void wirePasports(MemTable &t, PassportRules &r)
{
    t.FieldByName("FEDERALOKRUG_ID").OnChange = bind(r, &PassportRules::PASPORTSFEDERALOKRUG_IDChange);
    t.FieldByName("GEO_PROVINCE_ID").OnChange = bind(r, &PassportRules::PASPORTSGEO_PROVINCE_IDChange);
    t.FieldByName("GEO_OBLAST_ID").OnChange = bind(r, &PassportRules::PASPORTSGEO_OBLAST_IDChange);
    t.FieldByName("SHOWINGUPYEAR").OnChange = bind(r, &PassportRules::PASPORTSSHOWINGUPYEARChange);
    t.FieldByName("STARTPREPARATIONYEAR").OnValidate =
        bind(r, &PassportRules::PASPORTSSTARTPREPARATIONYEARValidate);
    t.FieldByName("ENDPREPARATIONYEAR").OnValidate =
        bind(r, &PassportRules::PASPORTSENDPREPARATIONYEARValidate);
    t.FieldByName("REPORTYEAR").OnValidate = bind(r, &PassportRules::PASPORTSREPORTYEARValidate);
    t.FieldByName("PREPAREDFUNDYEAR").OnValidate = bind(r, &PassportRules::PASPORTSPREPAREDFUNDYEARValidate);
    bindValidate(t, pasportsGrt0, r, &PassportRules::ValidateFloatFieldGrt0);
    bindValidate(t, pasportsIntGrt0, r, &PassportRules::ValidateIntFieldGrt0);
    t.OnCalcFields = bind(r, &PassportRules::PASPORTSCalcFields);
    t.AfterPost = bind(r, &PassportRules::PASPORTSAfterPost);
}

void wireReflectHorizons(MemTable &t, PassportRules &r)
{
    t.BeforePost = bind(r, &PassportRules::REFLECT_HORIZONTSBeforePost);
    t.AfterPost = bind(r, &PassportRules::REFLECT_HORIZONTSAfterPost);
    t.OnCalcFields = bind(r, &PassportRules::REFLECT_HORIZONTSCalcFields);
    t.FieldByName("IZOGIPSMARK").OnChange = bind(r, &PassportRules::REFLECT_HORIZONTSIZOGIPSMARKChange);
    t.FieldByName("IZOGIPSMARK").OnValidate = bind(r, &PassportRules::REFLECT_HORIZONTSIZOGIPSMARKValidate);
    bindValidate(t, reflectGrt0, r, &PassportRules::ValidateFloatFieldGrt0);
    bindValidate(t, reflectGrt0Lower1, r, &PassportRules::ValidateFloatFieldGrt0Lower1);
}

void wireProductiveHorizons(MemTable &t, PassportRules &r)
{
    t.BeforePost = bind(r, &PassportRules::POSIB_PRODUCT_HORBeforePost);
    t.AfterPost = bind(r, &PassportRules::POSIB_PRODUCT_HORAfterPost);
    t.AfterScroll = bind(r, &PassportRules::POSIB_PRODUCT_HORAfterScroll);
    t.OnCalcFields = bind(r, &PassportRules::POSIB_PRODUCT_HORCalcFields);
    t.FieldByName("IZOGIPSMARK").OnChange = bind(r, &PassportRules::POSIB_PRODUCT_HORIZOGIPSMARKChange);
    t.FieldByName("IZOGIPSMARK").OnValidate = bind(r, &PassportRules::REFLECT_HORIZONTSIZOGIPSMARKValidate);
    bindValidate(t, productiveGrt0, r, &PassportRules::ValidateFloatFieldGrt0);
    bindValidate(t, productiveGrt0Lower1, r, &PassportRules::ValidateFloatFieldGrt0Lower1);
}

void wireContour(MemTable &t, PassportRules &r)
{
    t.OnNewRecord = bind(r, &PassportRules::KONTURNewRecord);
    t.AfterInsert = bind(r, &PassportRules::KONTURAfterInsert);
    t.AfterDelete = bind(r, &PassportRules::KONTURAfterDelete);
    t.AfterPost = bind(r, &PassportRules::KONTURAfterPost);
    for (const char *name : {"X", "Y"}) {
        Field &field = t.FieldByName(name);
        field.OnGetText = [&r](Field &f, std::string &text, bool displayText) {
            r.KONTURXGetText(f, text, displayText);
        };
        field.OnSetText = [&r](Field &f, const std::string &text) { r.KONTURXSetText(f, text); };
    }
}

} // namespace

PassportRules::PassportRules(TDataModule2 &dm) : mDm(dm) {}

void wirePassportRules(TDataModule2 &dm, PassportRules &rules)
{
    wirePasports(dm.PASPORTS, rules);
    wireReflectHorizons(dm.REFLECT_HORIZONTS, rules);
    wireProductiveHorizons(dm.POSIB_PRODUCT_HOR, rules);
    wireContour(dm.KONTUR, rules);
}

std::string ScaleText(long long denominator)
{
    if (denominator <= 0)
        return {};
    return "1:" + numfmt::formatFloat("# ### ###", static_cast<double>(denominator));
}

// A scale text left empty stays null, as every calculated field starts.
void PassportRules::setScaleText(MemTable &table, const std::string &scaleField, const std::string &textField)
{
    const std::string text = ScaleText(table.FieldByName(scaleField).AsInteger());
    if (!text.empty())
        table.FieldByName(textField).SetAsString(text);
}

void PassportRules::showMessage(const char *text) const
{
    if (Prompts *prompts = mDm.prompts())
        prompts->message(validation::Caption, text, Prompts::Icon::Warning, Prompts::Ok);
}

void PassportRules::markModified()
{
    mDm.PassportModified = true;
}

} // namespace tarvena
