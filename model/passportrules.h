#pragma once
// PassportRules: the data rules of the passport tables, as handlers bound to the table and field events
// of TDataModule2: the region cascades, scale texts, identities, the isohypse sign, the resources, the
// contour filter and point count, coordinate texts and the validation of numbers and years.
#include "model/validation.h"

#include <string>

namespace tarvena {

class Field;
class MemTable;
class TDataModule2;

class PassportRules
{
public:
    explicit PassportRules(TDataModule2 &dm);

    // PASPORTS.
    void PASPORTSFEDERALOKRUG_IDChange(Field &field);
    void PASPORTSGEO_PROVINCE_IDChange(Field &field);
    void PASPORTSGEO_OBLAST_IDChange(Field &field);
    void PASPORTSSHOWINGUPYEARChange(Field &field);
    void PASPORTSSTARTPREPARATIONYEARValidate(Field &field);
    void PASPORTSENDPREPARATIONYEARValidate(Field &field);
    void PASPORTSREPORTYEARValidate(Field &field);
    void PASPORTSPREPAREDFUNDYEARValidate(Field &field);
    void PASPORTSCalcFields(MemTable &table);
    void PASPORTSAfterPost(MemTable &table);

    // REFLECT_HORIZONTS.
    void REFLECT_HORIZONTSBeforePost(MemTable &table);
    void REFLECT_HORIZONTSAfterPost(MemTable &table);
    void REFLECT_HORIZONTSCalcFields(MemTable &table);
    void REFLECT_HORIZONTSIZOGIPSMARKChange(Field &field);
    // Also bound to IZOGIPSMARK of POSIB_PRODUCT_HOR.
    void REFLECT_HORIZONTSIZOGIPSMARKValidate(Field &field);

    // POSIB_PRODUCT_HOR.
    void POSIB_PRODUCT_HORBeforePost(MemTable &table);
    void POSIB_PRODUCT_HORAfterPost(MemTable &table);
    void POSIB_PRODUCT_HORAfterScroll(MemTable &table);
    void POSIB_PRODUCT_HORCalcFields(MemTable &table);
    void POSIB_PRODUCT_HORIZOGIPSMARKChange(Field &field);

    // KONTUR.
    void KONTURNewRecord(MemTable &table);
    void KONTURAfterInsert(MemTable &table);
    void KONTURAfterDelete(MemTable &table);
    void KONTURAfterPost(MemTable &table);
    void KONTURXGetText(Field &field, std::string &text, bool displayText);
    void KONTURXSetText(Field &field, const std::string &text);
    // The coordinate system of the current horizon, which the contour filter shows the points of.
    int currentCoordinateSystem() const;

    // Number rules shared by the tables.
    void ValidateFloatFieldGrt0(Field &field);
    void ValidateFloatFieldGrt0Lower1(Field &field);
    void ValidateIntFieldGrt0(Field &field);

private:
    void validateFloat(Field &field, bool atMostOne);
    void validateYear(Field &field, validation::YearKind kind);
    void apply(Field &field, const validation::Verdict &verdict);
    void showMessage(const char *text) const;
    void narrowView(int view, const Field &parent);
    void markModified();
    void countPoints(int delta);
    static void setScaleText(MemTable &table, const std::string &scaleField, const std::string &textField);

    TDataModule2 &mDm;
};

// Binds every handler of rules to the events of the passport tables of dm.
void wirePassportRules(TDataModule2 &dm, PassportRules &rules);

// The text of a map scale: "1:" and the denominator grouped as "# ### ###"; empty unless above 0.
std::string ScaleText(long long denominator);

} // namespace tarvena
