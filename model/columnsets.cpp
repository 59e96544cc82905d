#include "model/columnsets.h"

#include "storage/codepage.h"
#include "storage/error.h"

#include <cstddef>
#include <map>

namespace tarvena {

namespace {

// Titles are written in UTF-8 here and held in code page 1251 like every text of the program.
struct ColumnDef
{
    const char *field;
    const char *title;
    FieldKind kind = FieldKind::Text;
};

constexpr FieldKind ReadOnly = FieldKind::ReadOnly;
constexpr FieldKind Calculated = FieldKind::Calculated;
constexpr FieldKind Unit = FieldKind::Unit;
constexpr FieldKind Scale = FieldKind::Scale;
constexpr FieldKind List = FieldKind::List;

const ColumnDef kJvDBGrid1[] = {
    {"INDEXOG", "Индекс ОГ"},
    {"_stratigr_id", "Стратиграфическая приуроченность\nОГ", Unit},
    {"STRATIGR_DOP", "Стратиграфическая приуроченность нестандартная"},
    {"STRATIGRSVIT", "Горизонт\n(свита, толща)\nпо местной\nклассификации"},
    {"_traptype_id", "Тип ловушки", List},
    {"_screentype_id", "Тип экрана", List},
    {"_scale", "Масштаб структурной карты", Scale},
    {"SECHENIE", "Сечение изолиний\n(м)"},
    {"IZOGIPSMARK", "Отметка последней замкнутой изогипсы\n(м)"},
    {"SQUARE", "Площадь \n(км2)"},
    {"AMPLITUDE", "Амплитуда \n(м)"},
    {"LONGAXIS", "Длинная ось\n(км)"},
    {"SHORTAXIS", "Короткая ось \n(км)"},
};
const ColumnDef kJvDBGrid2[] = {
    {"INDEXOG", "Индекс ОГ", ReadOnly},
    {"KOEFPROSL", "Коэффициент прослеживаемости горизонта \np"},
    {"POSTRPRESICION", "Точность построений \n(м)"},
    {"KORRADIUS", "Радиус корреляционной погрешности \nlambda н \n(км)"},
    {"APRIORVEROYATN", "Априорная вероятность структуры\n P(1)"},
    {"ZNACHFUNC", "Значение \nфункции \nalfa/2"},
    {"VEROYATNSTRUCT", "Вероятность существования структуры \nro"},
    {"POGRSVOD", "Погрешность положения свода roX0 \n(км)"},
    {"POGRSVODY", "Погрешность положения свода roY0 \n(км)"},
    {"POGRAMPL", "Погрешность определения амплитуды roA \n(м)"},
    {"POGRSQUARE", "Погрешность определения площади roS \n(км2)"},
};
const ColumnDef kJvDBGrid3[] = {
    {"_stratigr_id", "Стратиграфическая приуроченность продуктивного горизонта", Unit},
    {"STRATIGR_DOP", "Стратиграфическая приуроченность нестандартная"},
    {"STRATIGRSVIT", "Горизонт \n(свита, толща) \nпо местной \nклассификации"},
    {"_scale", "Масштаб \nструктурной \nкарты", Scale},
    {"SECHENIE", "Сечение \nизолиний \n(м)"},
    {"IZOGIPSMARK", "Отметка последней замкнутой изогипсы\n(м)"},
    {"POSIBLESQUARE", "Площадь возможной залежи\n(км2)"},
    {"AMPLITUDE", "Амплитуда \n(м)"},
    {"LONGAXIS", "Длинная ось \n(км)"},
    {"SHORTAXIS", "Короткая ось \n(км)"},
    {"_REFLECTHOR_ID", "ОГ, по которому осуществлялся пересчет", List},
    {"STRUCTOGNEW", "Горизонт, по которому осуществлялся пересчет"},
    {"_COLLECTORTYPE_ID", "Тип коллектора", List},
    {"_UV_ID", "Тип УВ", List},
};
const ColumnDef kJvDBGrid4[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"SQUARENEFTENOSN", "Площадь нефтеносности\n(км2)"},
    {"EFECTOILWIDTH", "Эффективная нефтенасыщенная толщина\n(м)"},
    {"OILKOEFOTKRPORIST", "Коэффициент открытой пористости \n(доли ед.)"},
    {"KOEFOILNASUSH", "Коэффициент нефтенасыщенности\n(доли ед.)"},
    {"OILPLOTN", "Плотность нефти на поверхности \n(т/м3)"},
    {"OILPERERASCHKOEF", "Пересчетный\n коэффициент \n(доли ед.)"},
    {"KOEFOILZAP", "Коэффициент заполнения ловушки\n(доли ед.)"},
    {"CALC_BAL_RES", "Балансовые ресурсы нефти\n(млн т)", Calculated},
    {"KOEFOILIZVL", "Коэффициент извлечения нефти \n(доли ед.)"},
    {"CALC_PERSP_RES", "Извлекаемые ресурсы нефти \n(млн т)", Calculated},
    {"OILGAZFACTOR", "Газовый \nфактор \n(м3/т)"},
    {"CALC_PERSP_RES_RGAZ", "Извлекаемые ресурсы растворенного газа\n(млн м3)", Calculated},
};
const ColumnDef kJvDBGrid5[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"OILSQUAREMIN", "Минимальная площадь нефтеносности\n(км2)"},
    {"OILSQUAREMAX", "Максимальная площадь нефтеносности \n(км2)"},
    {"OILWIDTHMIN", "Минимальная эффективная нефтенасыщенная толщина\n(м)"},
    {"OILWIDTHMAX", "Максимальная нефтенасыщенная толщина\n(м)"},
    {"OILKOEFOTKRPORMIN", "Минимальный коэффициент открытой пористости\n(доли ед.)"},
    {"OILKOEFOTKRPORMAX", "Максимальный коэффициент открытой пористости\n(доли ед.)"},
    {"OILNASUSHMIN", "Минимальный коэффициент нефтенасыщенности\n(доли ед.)"},
    {"OILNASUSHMAX", "Максимальный коэффициент нефтенасыщенности\n(доли ед.)"},
    {"OILPLOTNSURFMIN", "Минимальная плотности нефти на поверхности\n(т/м3)"},
    {"OILPLOTNSURFMAX", "Максимальная плотности нефти на поверхности\n(т/м3)"},
    {"OILKOEFPERERASCHMIN", "Минимальный пересчетный коэффициент\n(доли ед.)"},
    {"OILKOEFPERERASCHMAX", "Максимальный пересчетный коэффициент\n(доли ед.)"},
    {"OILBALANCERESOURCEP", "Балансовые ресурсы нефти наиболее вероятные\n(млн т)"},
    {"OILBALANCERESOURCEPD", "Вероятность\n(доли ед.)"},
    {"OILBALANCERESOURCES", "Среднеквадратическое отклонение \n(млн т)"},
    {"OILKOEFIZVLECHMIN", "Минимальный коэффициент извлечения нефти\n(доли ед.)"},
    {"OILKOEFIZVLECHMAX", "Максимальный коэффициент извлечения нефти\n(доли ед.)"},
    {"OILPERSPECTRESOURCEP", "Извлекаемые ресурсы нефти наиболее вероятные\n(млн т)"},
    {"OILPERSPECTRESOURCEPD", "Вероятность\n(доли ед.)"},
    {"OILPERSPECTRESOURCES", "Среднеквадратическое отклонение\n(млн т)"},
    {"OILGAZFACTOR2", "Газовый фактор\n(м3/т)"},
    {"PERSPRESGAZRASTVP", "Извлекаемые ресурсы растворенного газа\n(млн м3)"},
    {"PERSPRESGAZRASTVPD", "Вероятность\n(доли ед.)"},
    {"PERSPRESGAZRASTVS", "Среднеквадратическое отклонение\n(млн м3)"},
};
const ColumnDef kJvDBGrid6[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"SQUAREGAZONOSN", "Площадь газоносности \n(км2)"},
    {"EFECTGAZWIDTH", "Эффективная газонасыщенная толщина \n(м)"},
    {"GAZKOEFOTKRPORIST", "Коэффициент открытой пористости \n(доли ед.)"},
    {"KOEFGAZNASUSH", "Коэффициент \nгазонасыщенности \n(доли ед.)"},
    {"GAZSTARTPLASTPREASURE", "Начальное пластовое давление \n(атм)"},
    {"GAZENDPLASTPREASURE", "Конечное пластовое давление \n(атм)"},
    {"GAZKOEFSZIM", "Коэффициент сжимаемости"},
    {"GAZTEMPERPOPR", "Поправка на температуру"},
    {"CALC_BALGAZ_RES", "Начальные ресурсы газа\n(млн м3)", Calculated},
    {"GAZSODSUH", "Содержание сухого горючего газа \n(доли ед.)"},
    {"CALC_NEWGAZBAL", "Балансовые ресурсы газа \n(млн м3)", Calculated},
};
const ColumnDef kJvDBGrid7[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"GAZSQUAREMIN", "Минимальная площадь газоносности \n(км2)"},
    {"GAZSQUAREMAX", "Максимальная площадь газоносности \n(км2)"},
    {"GAZWIDTHMIN", "Минимальная эффективная газонасыщенная толщина \n(м)"},
    {"GAZWIDTHMAX", "Максимальная эффективная газонасыщенная толщина \n(м)"},
    {"GAZKOEFOTKRPORMIN", "Минимальный коэффициент открытой пористости \n(доли ед.)"},
    {"GAZKOEFOTKRPORMAX", "Максимальный коэффициент открытой пористости \n(доли ед.)"},
    {"GAZNASUSHMIN", "Минимальный коэффициент газонасыщенности \n(доли ед.)"},
    {"GAZNASUSHMAX", "Максимальный коэффициент газонасыщенности \n(доли ед.)"},
    {"GAZSTARTPREASUREMIN", "Минимальное начальное пластовое давление \n(атм)"},
    {"GAZSTARTPREASUREMAX", "Максимальное начальное пластовое давление \n(атм)"},
    {"GAZSTARTPREASURE", "Конечное пластовое давление\n(атм)"},
    {"GAZKOEFSZIMMIN", "Минимальный коэффициент сжимаемости"},
    {"GAZKOEFSZIMMAX", "Максимальный коэффициент сжимаемости"},
    {"GAZTEMPERPOPRMIN", "Минимальная поправка на температуру"},
    {"GAZTEMPERPOPRMAX", "Максимальная поправка на температуру"},
    {"GAZBALANCERESOURCEP", "Начальные ресурсы газа наиболее вероятные \n(млн м3)"},
    {"GAZBALANCERESOURCEPD", "Вероятность \n(доли ед.)"},
    {"GAZBALANCERESOURCES", "Среднеквадратическое отклонение \n(млн м3)"},
    {"SODSIHGORMIN", "Минимальное содержание сухого горючего газа \n(доли ед.)"},
    {"SODSIHGORMAX", "Максимальное содержание сухого горючего газа \n(доли ед.)"},
    {"GAZBALANCERESOURCEPNEW", "Балансовые ресурсы газа наиболее вероятные \n(млн м3)"},
    {"GAZBALANCERESOURCEPDNEW", "Вероятность \n(доли ед.)"},
    {"GAZBALANCERESOURCESNEW", "Среднеквадратическое отклонение \n(млн м3)"},
};
const ColumnDef kJvDBGrid8[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"CALC_BALGAZ_RES", "Начальные ресурсы газа \n(млн м3)", Calculated},
    {"GAZCONDAVGSTARTCONSIST", "Потенциальное содержание конденсата \n(г/м3)"},
    {"CALC_BALGAZCOND_RES", "Балансовые ресурсы газоконденсата \n(млн т)", Calculated},
    {"GAZCONDKOEFIZVLECH", "Коэффициент извлечения конденсата \n(доли ед.)"},
    {"CALC_PERSPGAZCOND_RES", "Извлекаемые ресурсы газоконденсата \n(млн т)", Calculated},
};
const ColumnDef kJvDBGrid9[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"GAZCONBALANCERESGAZMIN", "Минимальное \nзначение\nначальных\nресурсов газа \n(млн м3)"},
    {"GAZCONBALANCERESGAZMAX", "Максимальное \nзначение \nначальных \nресурсов газа \n(млн м3)"},
    {"GAZCONNACHSODKONDMIN", "Минимальное потенциальное содержание конденсата \n(г/м3)"},
    {"GAZCONNACHSODKONDMAX", "Максимальное потенциальное содержание конденсата \n(г/м3)"},
    {"BALANCERESGAZCONDMIN", "Минимальное значение балансовых ресурсов газоконденсата \n(млн т)"},
    {"BALANCERESGAZCONDMAX", "Максимальное значение балансовых ресурсов газоконденсата \n(млн т)"},
    {"GAZCONKOEFIZVLECHMIN", "Минимальный коэффициент извлечения конденсата \n(доли ед.)"},
    {"GAZCONKOEFIZVLECHMAX", "Максимальный коэффициент извлечения конденсата \n(доли ед.)"},
    {"IZVLEKRESGAZCONDPNEW", "Извлекаемые \nресурсы\nгазоконденсата \nнаиболее\nвероятные\n(млн т)"},
    {"IZVLEKRESGAZCONDPDNEW", "Вероятность \n(доли ед.)"},
    {"IZVLEKRESGAZCONDSNEW", "Среднеквадратическое отклонение \n(млн т)"},
};
const ColumnDef kJvDBGrid10[] = {
    {"STRATIGRSVIT", "Возможный продуктивный горизонт ", ReadOnly},
    {"_KONTURKOORDTYPE", "Тип координат контура", ReadOnly},
    {"KONTURNUMPOINTS", "Число точек контура", ReadOnly},
};
const ColumnDef kJvDBGrid14[] = {
    {"X", "Долгота"},
    {"Y", "Широта"},
};

template <std::size_t N> ColumnSet toColumnSet(const ColumnDef (&defs)[N])
{
    ColumnSet columns;
    columns.reserve(N);
    for (const ColumnDef &def : defs)
        columns.push_back({def.field, codepage::utf8ToCp1251(def.title), def.kind});
    return columns;
}

struct Grid
{
    std::string tableName;
    ColumnSet columns;
};

const char kReflect[] = "REFLECT_HORIZONTS";
const char kProductive[] = "POSIB_PRODUCT_HOR";

const std::map<std::string, Grid> &allGrids()
{
    static const std::map<std::string, Grid> grids = {
        {"JvDBGrid1", {kReflect, toColumnSet(kJvDBGrid1)}},
        {"JvDBGrid2", {kReflect, toColumnSet(kJvDBGrid2)}},
        {"JvDBGrid3", {kProductive, toColumnSet(kJvDBGrid3)}},
        {"JvDBGrid4", {kProductive, toColumnSet(kJvDBGrid4)}},
        {"JvDBGrid5", {kProductive, toColumnSet(kJvDBGrid5)}},
        {"JvDBGrid6", {kProductive, toColumnSet(kJvDBGrid6)}},
        {"JvDBGrid7", {kProductive, toColumnSet(kJvDBGrid7)}},
        {"JvDBGrid8", {kProductive, toColumnSet(kJvDBGrid8)}},
        {"JvDBGrid9", {kProductive, toColumnSet(kJvDBGrid9)}},
        {"JvDBGrid10", {kProductive, toColumnSet(kJvDBGrid10)}},
        {"JvDBGrid14", {"KONTUR", toColumnSet(kJvDBGrid14)}},
    };
    return grids;
}

const Grid &grid(const std::string &gridName)
{
    const auto &grids = allGrids();
    const auto found = grids.find(gridName);
    if (found == grids.end())
        throw Error("Нет набора колонок для сетки \"" + gridName + "\".");
    return found->second;
}

} // namespace

const ColumnSet &gridColumns(const std::string &gridName)
{
    return grid(gridName).columns;
}

const std::string &gridTableName(const std::string &gridName)
{
    return grid(gridName).tableName;
}

const std::vector<std::string> &gridNames()
{
    static const std::vector<std::string> names = {"JvDBGrid1", "JvDBGrid2",  "JvDBGrid3", "JvDBGrid4",
                                                   "JvDBGrid5", "JvDBGrid6",  "JvDBGrid7", "JvDBGrid8",
                                                   "JvDBGrid9", "JvDBGrid10", "JvDBGrid14"};
    return names;
}

} // namespace tarvena
