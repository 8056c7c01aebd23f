#include "core/TableLayouts.h"
#include "platform/os/Text.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "core/StartValues.h"

FieldLayout FieldLayout::Required() const {
    FieldLayout f = *this;
    f.required = true;
    return f;
}

FieldLayout FieldLayout::Label(std::string text) const {
    FieldLayout f = *this;
    f.label = std::move(text);
    return f;
}

FieldLayout FieldLayout::Mask(std::string text) const {
    FieldLayout f = *this;
    f.mask = std::move(text);
    return f;
}

FieldLayout FieldLayout::Caption(std::string text) const {
    FieldLayout f = *this;
    f.caption = std::move(text);
    return f;
}

namespace {

FieldLayout Make(std::string name, db::FieldType type, int size = 0) {
    FieldLayout f;
    f.name = std::move(name);
    f.type = type;
    f.size = size;
    return f;
}

FieldLayout Text(std::string name, int size) { return Make(std::move(name), db::FieldType::String, size); }
FieldLayout SmallInt(std::string name) { return Make(std::move(name), db::FieldType::SmallInt); }
FieldLayout Integer(std::string name) { return Make(std::move(name), db::FieldType::Integer); }
FieldLayout Float(std::string name) { return Make(std::move(name), db::FieldType::Float); }
FieldLayout Date(std::string name) { return Make(std::move(name), db::FieldType::Date); }
FieldLayout Time(std::string name) { return Make(std::move(name), db::FieldType::Time); }

using Fields = std::vector<FieldLayout>;

void Add(Fields& to, const Fields& more) { to.insert(to.end(), more.begin(), more.end()); }

// Spare fields prefix_TNUM1..n, _TINT1..n, _TSTR1..n, _TDAT1..n.
Fields Spares(const std::string& prefix, int n) {
    Fields f;
    for (int i = 1; i <= n; ++i) f.push_back(Float(prefix + "_TNUM" + std::to_string(i)));
    for (int i = 1; i <= n; ++i) f.push_back(Integer(prefix + "_TINT" + std::to_string(i)));
    for (int i = 1; i <= n; ++i) f.push_back(Text(prefix + "_TSTR" + std::to_string(i), 30));
    for (int i = 1; i <= n; ++i) f.push_back(Date(prefix + "_TDAT" + std::to_string(i)));
    return f;
}

// Audit fields prefix_USERCODE, _USERCREATEDATE, _USERCREATETIME,
// _USERMODIFYDATE, _USERMODIFYTIME: stored, never filled.
Fields Audit(const std::string& prefix) {
    return {Text(prefix + "_USERCODE", 11), Date(prefix + "_USERCREATEDATE"),
            Time(prefix + "_USERCREATETIME"), Date(prefix + "_USERMODIFYDATE"),
            Time(prefix + "_USERMODIFYTIME")};
}

// Fields of one kind named prefix + each word of `names`.
Fields Each(const std::string& prefix, const std::string& names, FieldLayout (*make)(std::string)) {
    Fields f;
    std::istringstream in(names);
    for (std::string n; in >> n;) f.push_back(make(prefix + n));
    return f;
}

Fields EachText(const std::string& prefix, const std::string& names, int size) {
    Fields f;
    std::istringstream in(names);
    for (std::string n; in >> n;) f.push_back(Text(prefix + n, size));
    return f;
}

// Declaration cells written as the forms list them: "301-302: A B C D; 303: D"
// gives prefix + row + column for every row of each range and every column.
std::vector<std::string> CellNames(const std::string& prefix, const std::string& cellList) {
    std::vector<std::string> names;
    std::istringstream groups(cellList);
    for (std::string group; std::getline(groups, group, ';');) {
        const auto colon = group.find(':');
        const std::string rows = group.substr(0, colon);
        const auto dash = rows.find('-');
        const int from = std::stoi(rows);
        const int to = dash == std::string::npos ? from : std::stoi(rows.substr(dash + 1));
        for (int row = from; row <= to; ++row) {
            std::istringstream cols(group.substr(colon + 1));
            for (std::string col; cols >> col;) names.push_back(prefix + std::to_string(row) + col);
        }
    }
    return names;
}

// Amount cells (32-bit integers), with the cells named in `texts` and `dates`
// given their own kind in place.
struct CellKinds {
    CellKinds(std::vector<std::pair<std::string, int>> textCells = {}, std::string dateCells = {})
        : texts(std::move(textCells)), dates(std::move(dateCells)) {}
    std::vector<std::pair<std::string, int>> texts;  // cell list, width
    std::string dates;                               // cell list
};

Fields Cells(const std::string& prefix, const std::string& cellList, const CellKinds& kinds = {}) {
    Fields f;
    auto in = [&](const std::string& cells, const std::string& name) {
        if (cells.empty()) return false;
        const auto list = CellNames(prefix, cells);
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (const auto& name : CellNames(prefix, cellList)) {
        FieldLayout field = Integer(name);
        for (const auto& [cells, width] : kinds.texts)
            if (in(cells, name)) field = Text(name, width);
        if (in(kinds.dates, name)) field = Date(name);
        f.push_back(field);
    }
    return f;
}

std::vector<FieldLayout> SzamfejtFields() {
    Fields f = {
        Text("SF_DGTORZSSZAM", 11).Mask("99999999999;1;_"),
        SmallInt("SF_HONAP"),
        Date("SF_KIFIZDAT").Mask("9999/99/99;1;_"),
        Text("SF_JCKOD", 4).Mask("9999;1;_"),
        Integer("SF_SORSZAM"),
        SmallInt("SF_RJSORSZAM"),
        Text("SF_DGNEV", 30),
        Text("SF_JCNEV", 30),
        Float("SF_OSSZEG"),
        Float("SF_SZHASZAZLEV"),
        Text("SF_SZHAKEDVKOD", 2),
        Float("SF_SZHAKEDVSZAZ"),
        SmallInt("SF_NAP"),
        Float("SF_ORA"),
        Date("SF_TOL").Mask("9999/99/99;1;_"),
        Date("SF_IG").Mask("9999/99/99;1;_"),
        Float("SF_SZAZALEK"),
        Text("SF_MHKOD", 6).Mask("999999;1;_"),
        Text("SF_MUNKSZAM", 6).Mask("999999;1;_"),
        Text("SF_GYUJTO", 6).Mask("999999;1;_"),
        Float("SF_ADOALAP"),
        Float("SF_JARALAP"),
        Float("SF_AANOV"),
        Text("SF_SZAMLA", 26).Mask("99999999-99999999-99999999;1;_"),
        Text("SF_DGALKMIN", 1).Mask("9"),
        Text("SF_JCTIPUS", 1),
        Text("SF_DGMHKOD", 6),
        Text("SF_DGKHKOD", 6),
        Text("SF_DGMNYP", 4),
    };
    Add(f, Audit("SF"));
    Add(f, Spares("SF", 5));
    return f;
}

std::vector<FieldLayout> KifHelyFields() {
    Fields f = {
        Text("KH_KOD", 6).Required().Mask("999999;1;_").Caption("Kifizetőhely :"),
        Text("KH_NEV", 50).Required().Caption("Kifzetőhely neve :"),
    };
    Add(f, Audit("KH"));
    return f;
}

std::vector<FieldLayout> MHelyFields() {
    Fields f = {
        Text("MH_KOD", 6).Required().Mask("999999;1;_").Caption("Munkahely :"),
        Text("MH_NEV", 50).Required().Caption("Munkahely neve :"),
        Text("MH_KHKOD", 6).Required().Mask("999999;1;_").Caption("Kifizetőhely (F2) :"),
        Text("MH_MUNKSZAM", 6).Mask("999999;1;_").Caption("Munkaszám :"),
        Text("MH_GYUJTO", 6).Mask("999999;1;_").Caption("Gyüjtő :"),
    };
    Add(f, Audit("MH"));
    return f;
}

std::vector<FieldLayout> JogcimFields() {
    Fields f = {
        Text("JC_KOD", 4).Required().Mask("9999;1;_").Caption("Jogcím :"),
        Text("JC_NEV", 30).Required().Caption("Jogcím neve :"),
        Text("JC_SORREND", 5).Caption("Sorrend :"),
        Text("JC_TIPUS", 1).Required().Caption("Típusa (F2) :"),
        Text("JC_SZAMKEP", 2).Required().Mask("99;_").Caption("Számít. képl. (F2) :"),
        Text("JC_KIFIZ", 1).Required().Caption("Kifizethető :"),
        Float("JC_SZAZ").Required().Caption("Százalék :"),
        Text("JC_SZABTIP", 1).Mask("9;1;_").Caption("Szabadság típ. (F2) :"),
        Text("JC_SZJAKOT", 1).Caption("Szja köteles :"),
        Text("JC_AANOV", 1).Caption("Adóalap növelő:"),
        Text("JC_NYJKOT", 1).Caption("Ny. jár. köt.:"),
        Text("JC_EBJKOT", 1).Caption("Eb. jár. köt.:"),
        Text("JC_VJAR", 1).Caption("Váll. jár. :"),
        Text("JC_SZAKSZKOT", 1).Caption("Szakszerv köt.:"),
        Text("JC_MPJDOLGKOT", 1).Caption("Munkaerő piaci jár. d.:"),
        Text("JC_MADOJKOT", 1).Caption("Munkaerő piaci jár. f.:"),
        Text("JC_SZHAKOT", 1).Caption("SZHA köt.:"),
        Text("JC_BALJKOT", 1).Caption("Baleseti jár. köt.:"),
        Text("JC_EVAKOT", 1).Caption("EVA köteles :"),
        Text("JC_EHOKIES", 1).Caption("EHO kieső idő :"),
        Text("JC_EHOSZAZ", 1).Caption("EHO 19,5%-os :"),
        Text("JC_LETILT", 1).Caption("Letiltás alapja :"),
        Text("JC_ALAP1", 1).Caption("Alap 1 :"),
        Text("JC_ALAP2", 1).Caption("Alap 2 :"),
        Text("JC_ALAP3", 1).Caption("Alap 3 :"),
        Text("JC_ALAP4", 1).Caption("Alap 4 :"),
        Text("JC_ALAP5", 1).Caption("Alap 5 :"),
        Text("JC_TERMJUTADO", 1).Caption("Természetbeni jut. adó :"),
        Text("JC_SZHANEMKEDV", 1).Caption("Term. jut. nem kedv. :"),
        Text("JC_SZHAKEDV", 1).Caption("Term. jut. SZHA :"),
        Text("JC_KEDVTERM", 1).Caption("Kedv. adózó term. jut. :"),
        Text("JC_KULONADOZO", 1).Caption("Külön adózó jöv. :"),
        Text("JC_SZAKKEPZES", 1).Caption("Szakképzési hozzájár. :"),
        Text("JC_SZHALEV", 1).Caption("SZHA levonás :"),
        Text("JC_RENDSZ", 1).Caption("Rendszeres :"),
        Text("JC_BERJELL", 1).Caption("Bér jellegű :"),
        Text("JC_KERESET", 1).Caption("Kereset :"),
        Text("JC_ELKULADO", 1).Caption("Elkülönülten :"),
        Float("JC_LINADO").Caption("Lineáris :"),
        SmallInt("JC_ADATLSOR").Caption("Adatlap sor :"),
        Text("JC_ADATLOSZL", 1).Mask("l;1;_").Caption("Adatlap oszl. (F2) :"),
        SmallInt("JC_ADOELSOR").Caption("Adóelsz. sor :"),
        Text("JC_ADOELOSZ", 1).Mask("l;1;_").Caption("Adóelsz. oszl. (F2) :"),
        Text("JC_ADOELKTG", 1).Caption("Ktg.:"),
        SmallInt("JC_JARULSOR").Caption("Járulék sor :"),
        Text("JC_JARULKOD", 2).Mask("99;1;_").Caption("Járulék kód (F2) :"),
        Text("JC_ELLATATLKOD", 2).Mask("99;1;_").Caption("Ellátatlan kód (F2) :"),
        Text("JC_BERKARTONRA", 1).Caption("Bérkartonon szerepel :"),
        Text("JC_BESZAMOSSZEG", 1).Caption("Átlagszám. összegbe beszám.:"),
        Text("JC_BESZAMIDOSZTO", 1).Caption("Átlagszám. időosztóba beszám.:"),
        Text("JC_BANKSZAMLA", 26).Mask("99999999-99999999-99999999;1;_").Caption("Bankszámla :"),
        SmallInt("JC_HAVIBEVSOR").Caption("Havi bev. sor :"),
        Text("JC_HAVIBEVOSZL", 1).Caption("Havi bev. oszl. (F2) :"),
        SmallInt("JC_EVBEVSOR").Caption("EV bev. sor :"),
        Text("JC_EVBEVOSZL", 1).Caption("EV bev. oszl. (F2) :"),
        Text("JC_TARTOZIK", 10).Caption("Tartozik :"),
        Text("JC_KOVETEL", 10).Caption("Követel :"),
    };
    Add(f, Audit("JC"));
    Add(f, Spares("JC", 5));
    return f;
}

std::vector<FieldLayout> RJogcimFields() {
    Fields f = {
        Text("RJ_DGTORZSSZAM", 11).Required().Mask("99999999999;1;_").Caption("Törzsszám (F2) :"),
        Text("RJ_JCKOD", 4).Required().Mask("9999;1;_").Caption("Jogcím kód (F2) :"),
        SmallInt("RJ_SORSZAM").Required().Caption("Sorszám :"),
        Text("RJ_DGNEV", 30).Required().Label("Dolgozó neve"),
        Float("RJ_OSSZEG").Caption("Összeg :"),
        Float("RJ_SZAZ").Caption("Százalék :"),
        Float("RJ_TELJOSSZ").Caption("Teljes összeg :"),
        Float("RJ_MIN").Caption("Minimum :"),
        Float("RJ_EDDIGLEVONT").Caption("Eddig levont :"),
        Text("RJ_SZAMLASZ", 26).Mask("99999999-99999999-99999999;1;_").Caption("Számlaszám :"),
        Text("RJ_HATAROZAT", 15).Caption("Határozat :"),
        Float("RJ_HATRALEK").Caption("Hátralék :"),
        Date("RJ_KEZD").Caption("Kezdete :"),
        Date("RJ_VEG").Caption("Vége :"),
        Text("RJ_KEDVNEV", 30).Caption("Kedvezményezett neve :"),
        Text("RJ_KEDVIRSZ", 4).Caption("Irányítószám :"),
        Text("RJ_KEDVVAROS", 30).Caption("Város : "),
        Text("RJ_KEDVUTCA", 30).Caption("Utca :"),
        Text("RJ_KEDVHAZSZ", 10).Caption("Házszám :"),
        Text("RJ_KEDVSZAMLASZ", 26).Mask("99999999-99999999-99999999;1;_").Caption("Bankszámla száma :"),
        Text("RJ_MUNKSZAM", 6).Mask("999999;1;_").Caption("Munkaszám :"),
        Text("RJ_GYUJTO", 6).Mask("999999;1;_").Caption("Gyűjtő :"),
    };
    Add(f, Audit("RJ"));
    Add(f, Spares("RJ", 3));
    return f;
}

std::vector<FieldLayout> ErtekkeszletFields() {
    return {
        Text("EK_TIPUS", 2).Label("Típus").Caption("Típus :"),
        Text("EK_ERTEK", 4).Label("Érték").Caption("Értek :"),
        Text("EK_TIPUSNEV", 20).Caption("Típus név :"),
        Text("EK_ERTEKNEV", 40).Label("Név").Caption("Érték név :"),
        Text("EK_ERTEKCHAR", 26).Caption("Szöveg :"),
        Float("EK_ERTEKNUM").Caption("Szám :"),
    };
}

std::vector<FieldLayout> NaptarFields() {
    return {
        SmallInt("NT_HONAP").Label("Hónap"),
        SmallInt("NT_NAP").Label("Sorsz."),
        Date("NT_DATUM").Label("Dátum"),
        Text("NT_ERTEK", 1).Label("Alapérték"),
        Text("NT_MEGN", 3).Label("Nap"),
        Text("NT_ERTEK1", 1),
        Text("NT_ERTEK2", 1),
        Text("NT_ERTEK3", 1),
        Text("NT_ERTEK4", 1),
        Text("NT_ERTEK5", 1),
        Text("NT_ERTEK6", 1),
        Text("NT_ERTEK7", 1),
        Text("NT_ERTEK8", 1),
        Text("NT_ERTEK9", 1),
    };
}

std::vector<FieldLayout> DolgozoFields() {
    Fields f = {
        Text("DG_TORZSSZAM", 11).Required().Mask("99999999999;1;_").Caption("Törzsszám :"),
        Text("DG_NEV", 30).Required().Caption("Dolgozó neve :"),
        Date("DG_BELEPDAT").Required().Caption("Belépés dátuma :"),
        Text("DG_ADOAZ", 11).Required().Mask("99999999999;1;_").Caption("Adóazonosító jel :"),
        Text("DG_TAJSZ", 9).Mask("999999999;1;_").Caption("TAJ szám :"),
        Text("DG_UTLEVELSZ", 20).Caption("Útlevélsz. :"),
        Text("DG_NEM", 1).Mask("9;1;_").Caption("Nem (F2) :"),
        Text("DG_LEANYKNEV", 30).Caption("Születési név :"),
        Text("DG_ANYJANEV", 30).Caption("Anyja neve :"),
        Text("DG_SZULHELY", 20).Caption("Születési hely :"),
        Date("DG_SZULDAT").Caption("Születési dátum :"),
        Text("DG_MHKOD", 6).Required().Mask("999999;1;_").Caption("Munkahely (F2) :"),
        Text("DG_TITULUS", 6).Caption("Titulus :"),
        Text("DG_ALLAMP", 3).Caption("Állampolg. :"),
        Text("DG_NYUGDIJAS", 1).Caption("Nyugdíjas :"),
        Float("DG_NYUGDIJ"),
        Float("DG_EADOTERH").Caption("Adóterhet nem viselő járandóság (éves) :"),
        Text("DG_NYUGTORZSSZ", 10).Mask("9999999999;1;_").Caption("Ny. törzsszám :"),
        Text("DG_JOGIALL", 1).Caption("Jogi állomány :"),
        Text("DG_OSTERMIGSZAM", 7).Caption("Őstermelői ig. száma :"),
        Text("DG_CSALGAZDNYILVSZAM", 8).Caption("Családi gazd. száma  :"),
        Text("DG_MEZGAZDTERMSZAM", 10).Caption("Regisztrációs száma :"),
        Text("DG_FEOR", 4).Caption("FEOR (F2) :"),
        Text("DG_MUNKAKOR", 60).Caption("Munkakör :"),
        Text("DG_BERFORM", 1).Required().Mask("9;1;_").Caption("Bérforma (F2) :"),
        Text("DG_ALKMIN", 1).Required().Mask("9;1;_").Caption("Alkalm. min. (F2) :"),
        Float("DG_ALAPBER").Required().Caption("Alapbér :"),
        Float("DG_NAPIKOTORA").Required().Caption("Napi kötelező óra :"),
        Float("DG_HETIKOTORA").Required().Caption("Heti kötelező óra :"),
        Date("DG_MUNKAIDOKERKEZD").Caption("Munkaidőker. kezd. :"),
        SmallInt("DG_MUNKAIDOKERHO").Caption("hónap :"),
        Text("DG_MUNKAREND", 1).Required().Mask("9;1;_").Caption("Munkarend (F2) :"),
        Text("DG_KORKEDVMKORKOD", 5).Mask("99999;1;_").Caption("Korkedv. munkakör :"),
        Date("DG_KORKEDVMKORTOL").Caption("Tól :"),
        Date("DG_KORKEDVMKORIG").Caption("Ig :"),
        Text("DG_BESOROL", 16).Caption("Besorolás :"),
        Text("DG_GYEDGYESMELLETTI", 1).Mask("9;1;_").Caption("GYED-GYES melleti (F2) :"),
        Text("DG_ALKMINADATSZ", 2).Mask("99;1;_").Caption("Alk. min. (F2) :"),
        Text("DG_FOGLJELL", 2).Mask("99;1;_").Caption("Fogl. jell. :"),
        Text("DG_NYUGALKMIN2", 2).Caption("Nyugdíjas (F2) :"),
        SmallInt("DG_JSORSZADATSZ").Caption("Jogv. sorsz. :"),
        Text("DG_NYENYIJOGVKOD", 2).Mask("99;1;_").Caption("NYENYI jogv. kód (F2):"),
        Text("DG_NYUGJAR", 1).Caption("Nyugdíjjárulék :"),
        Text("DG_EGBIZJARTERM", 1).Caption("Eg. bizt. járulék term. :"),
        Text("DG_EGBIZJARPENZ", 1).Caption("Eg. bizt. járulék pénz :"),
        Text("DG_ERDEKTAGD", 1).Caption("Érdekképvis. tagdíj :"),
        Text("DG_MPJDOLG", 1).Caption("Munkaerő piaci jár. d. :"),
        Text("DG_VALLALKJAR", 1).Caption("Vállalkozói járulék :"),
        Text("DG_EHOTETELES", 1).Caption("EHO tételes :"),
        Text("DG_SZHA", 1).Caption("SZHA :"),
        Text("DG_BALJAR", 1).Caption("EÜ szolg. jár. :"),
        Date("DG_SZOCSZOVTAGSKEZD").Caption("Szoc. szöv. kedv. kezd. :"),
        Float("DG_VALLALKMINBER").Caption("Vállalkozói minimálbér :"),
        Text("DG_MUNKADOIJAR", 1).Caption("Munkaerő piaci jár. f. :"),
        Text("DG_EVA", 1).Caption("EVA alany :"),
        Float("DG_JARALAP").Caption("Vállalt járulékalap :"),
        Text("DG_KEZDOEV", 1).Caption("Kezdő egyéni vállalk. :"),
        Text("DG_KULONADO", 1).Caption("Különadó nyilatkozat :"),
        Text("DG_VKMEGOSZT", 1).Caption("Végkielégítés megoszt.:"),
        Text("DG_OKPKIEG1", 1).Caption("ÖKP kieg. egy munk. :"),
        Float("DG_PIACIERT").Caption("Vállalt járulékalap :"),
        Text("DG_TARSASZ", 11).Mask("99999999999;1;_").Caption("Társas váll. adósz. :"),
        Text("DG_TARSNEV", 30).Caption("Társas váll. név :"),
        Text("DG_KEDVJAR", 2).Mask("99;1;_").Caption("Kedv. jár. kód :"),
        Float("DG_MASJOV").Caption("Más jövedelem :"),
        Text("DG_MADOMEGALL", 1).Caption("Munkáltatói adómegáll.:"),
        Text("DG_KORHATELOTTELLAT", 1).Caption("Korhatár előtti ell. (F2) : "),
        Text("DG_SZHALEV", 1).Caption("SZHA levonás :"),
        Text("DG_EKHOERTHAT", 1).Mask("9;1;_").Caption("EKHO értékhatár :"),
        Text("DG_EKHOVALTELJ", 1).Caption("EKHO-val teljesít :"),
        Text("DG_MEGJEGYZES", 50).Caption("Megjegyzés :"),
        Text("DG_VAROS", 30).Caption("Város :"),
        Text("DG_KOZTER", 30).Caption("Közterület :"),
        Text("DG_KOZTERJEL", 20).Caption("Közterület jellege :"),
        Text("DG_HAZSZ", 10).Caption("Házszám :"),
        Text("DG_EPULET", 10).Caption("Épület :"),
        Text("DG_LEPCSOHAZ", 10).Caption("Lépcsőház :"),
        Text("DG_EMELET", 10).Caption("Emelet :"),
        Text("DG_AJTO", 10).Caption("Ajtó :"),
        Text("DG_HRSZ", 10).Caption("HRSZ :"),
        Text("DG_IRSZ", 4).Mask("9999;1;_").Caption("Irányítószám:"),
        Text("DG_KULFIRSZ", 5).Caption("Külföldi irányítószám :"),
        Text("DG_TELSZ", 20).Caption("Telefon :"),
        Float("DG_TAVDIJKORR").Caption("Távolléti díj korr. :"),
        Float("DG_NAPIATL").Required().Caption("Napi átlag :"),
        Text("DG_MUNKSZAM", 6).Mask("999999;1;_").Caption("Munkaszám :"),
        Text("DG_GYUJTO", 6).Mask("999999;1;_").Caption("Gyüjtő :"),
        Float("DG_ELOSZAB").Caption("Előző évi szabadság :"),
        Float("DG_EVISZAB").Caption("Tárgyévi szabadság :"),
        Float("DG_POTSZAB").Caption("Pótszabadság :"),
        Float("DG_SZABKER").Caption("Szabadság keret :"),
        Float("DG_BETEGSZABKER").Caption("Betegszab. keret :"),
        Text("DG_MNYP", 4).Mask("9999;1;_").Caption("MNYP (F2) :"),
        Float("DG_MNYPDOLKIEG").Caption("MNYP dolg. kieg. :"),
        Float("DG_MNYPVALKIEG").Caption("MNYP váll. kieg. :"),
        Text("DG_MNYPAZON", 12).Caption("MNYP azon. :"),
        Date("DG_MNYPBEDAT").Caption("MNYP belép. dat. :"),
        Text("DG_ELOZOMNYP", 4).Caption("Előző MNYP (F2) :"),
        Date("DG_ELOZOMNYPBEDAT").Caption("belépés dát. :"),
        Date("DG_ELOZOMNYPKIDAT").Caption("kilépés dát. :"),
        Text("DG_MNYPFORGKOD", 2).Mask("99;1;_").Caption("MNYP forg. kód (F2) :"),
        Text("DG_MNYPJOGVKOD", 2).Mask("99;1;_").Caption("MNYP jogv. kód (F2) :"),
        Text("DG_TAJKIEGKOD", 2).Mask("99;1;_").Caption("TAJ kieg. kód (F2) :"),
        Text("DG_ERDKEPV", 20).Caption("Érdekképviselet :"),
        Text("DG_ONKEPTTAGS", 20).Caption("Önkéntes ept. tagság :"),
        Text("DG_ONKPTTAGS", 20).Caption("Önkéntes pt. tagság :"),
        Text("DG_TV1", 1).Caption("TV1 :"),
        Text("DG_TV2", 1).Caption("TV2 :"),
        Text("DG_TV3", 1).Caption("TV3 :"),
        Text("DG_TV4", 1).Caption("TV4 :"),
        Text("DG_TV5", 1).Caption("TV5 :"),
        SmallInt("DG_KTGHANYAD").Caption("Költséghányad [%] :"),
        Text("DG_KTGKULF", 1).Mask("9;1;_").Caption("Külf. kik. :"),
        Text("DG_KTGNYIL", 1).Mask("9;1;_").Caption("Költség nyilatkozat :"),
        SmallInt("DG_GYERMSZAM").Caption("Gyermekek száma :"),
        SmallInt("DG_BESZAMGYERM").Caption("Beszámító gyermekek :"),
        Float("DG_CSALKEDV").Caption("Családi kedvezmény :"),
        Float("DG_CSALKEDVSZAM").Caption("Számított érték :"),
        Text("DG_CSJARKEDVERV", 1).Caption("Családi járulékkedv. :"),
        Float("DG_ELSOHAZASOSSZ").Caption("Első házas kedv. össz.:"),
        Date("DG_ELSOHAZASVEGE").Caption("Első házas kedv. vége:"),
        Text("DG_FOGYKEDV", 1).Caption("Fogyatékos kedv. :"),
        Date("DG_FOGYKEZD").Caption("Fogyatékosság kezd. :"),
        Date("DG_FOGYVEG").Caption("Fogyatékosság vége :"),
        Text("DG_ADOJVI", 1).Caption("Adójóváírás igény :"),
        Text("DG_KIEGADOJVI", 1).Caption("Kiegészítő adójóváírás igény :"),
        Text("DG_JOVNYIL", 1).Caption("Éves jövedelem nyil. :"),
        Text("DG_SZHAKEDVKOD", 2).Mask("99;1;_").Caption("SZHA kedv. kód (F2) :"),
        Date("DG_SZHAKEDVKEZD").Caption("kezdete :"),
        Date("DG_SZHAKEDVVEG").Caption("vége :"),
        Date("DG_SZHAKEDVVALT").Caption("váltás :"),
        Float("DG_SZHAKEDVMAX").Caption("maximum :"),
        Date("DG_KILEPDAT").Caption("Kilépés dátuma :"),
        Text("DG_MEGSZMOD", 50).Caption("Megszünés módja :"),
        Float("DG_ATLAGKER").Caption("MPJ alap összege :"),
        Date("DG_ATLAGKEZD").Caption("Kezdete :"),
        Float("DG_ATLAGHONAP").Caption("Hónapok :"),
        Text("DG_UTMUNKAKOR", 60).Caption("Utolsó munkakör :"),
        Float("DG_VEGKIHOTV").Caption("Végki. hónapsz. TV-i :"),
        Float("DG_VEGKIHOTVFEL").Caption("Végki. hónap TV felett :"),
        Date("DG_FELMIDOKEZD").Caption("Felmentési idő kezd. :"),
        Date("DG_FELMIDOVEG").Caption("Felmentési idő vége :"),
        Date("DG_VEGKIKEZD").Caption("Végkielégítés kezdete :"),
        Date("DG_VEGKIVEG").Caption("Végkielégítés vége :"),
        Date("DG_UTMUNKNAP").Caption("Utolsó munkanap :"),
        Date("DG_ERVENYKEZD").Caption("Rekord érvényesség kezdete :"),
        Date("DG_ERVENYVEG"),
        Date("DG_NYITDAT"),
        Text("DG_NYITMOD", 1),
    };
    Add(f, Audit("DG"));
    Add(f, Spares("DG", 5));
    return f;
}

std::vector<FieldLayout> HozzatartozoFields() {
    return {
        Text("HT_DGTORZSSZAM", 11),
        Text("HT_NEV", 30).Label("Hozzátartozó neve").Caption("Neve :"),
        Date("HT_SZULDAT").Caption("Születési dátum :"),
        Text("HT_ELTMIN", 1).Caption("Eltartott min. (F2) :"),
        Text("HT_JOGOSULTJOGC", 1).Caption("Jogosultság (F2) :"),
        Text("HT_KAPCSOLAT", 1).Caption("Kapcsolat (F2) :"),
        Date("HT_KAPCSTOL").Caption("Kapcsolat kezdő dát. :"),
        Date("HT_KAPCSIG").Caption("Kapcsolat vége dát. :"),
        Text("HT_ANYJANEV", 30).Caption("Anyja neve :"),
        Text("HT_SZULHELY", 20).Caption("Születési hely :"),
        Text("HT_ADOAZ", 11).Caption("Adóazonosító jel :"),
        Text("HT_TAJSZ", 9).Caption("TAJ szám :"),
        Text("HT_KULFOLDI", 1).Caption("Külföldi :"),
        Text("HT_ORSZAG", 30).Caption("Ország :"),
        Text("HT_VAROS", 30).Caption("Város :"),
        Text("HT_KOZTER", 30).Caption("Közterület :"),
        Text("HT_KOZTERJEL", 20).Caption("Közterület jellege :"),
        Text("HT_HAZSZ", 10).Caption("Házszám :"),
        Text("HT_EPULET", 10).Caption("Épület :"),
        Text("HT_LEPCSOHAZ", 10).Caption("Lépcsőház :"),
        Text("HT_EMELET", 10).Caption("Emelet :"),
        Text("HT_AJTO", 10).Caption("Ajtó :"),
        Text("HT_IRSZ", 10).Caption("Irányítószám :"),
        Float("HT_TNUM1"),
        Float("HT_TNUM2"),
        Float("HT_TNUM3"),
        Integer("HT_TINT1"),
        Integer("HT_TINT2"),
        Integer("HT_TINT3"),
        Text("HT_TSTR1", 30),
        Text("HT_TSTR2", 30),
        Text("HT_TSTR3", 30),
        Date("HT_TDAT1"),
        Date("HT_TDAT2"),
        Date("HT_TDAT3"),
    };
}

std::vector<FieldLayout> CegekFields() {
    Fields f = {
        Text("CG_KOD", 3).Required().Label("Kód").Mask("999;1;_"),
        Text("CG_ELOZOEVIKOD", 3),
        Text("CG_NEV", 60).Required().Label("Név").Caption("Cég neve :"),
        Text("CG_RNEV", 20).Required().Label("Rövid név").Caption("Cég rövid neve :"),
        Text("CG_ADOSZAM", 11).Required().Mask("99999999-9-99;0;_").Caption("Adószám :"),
        Text("CG_TBTORZSSZAM", 10).Mask("9999999999;1;_").Caption("TB törzsszám :"),
        Text("CG_JOGELADOSZ", 11).Mask("99999999-9-99;0;_").Caption("Jogelőd adószáma :"),
        Text("CG_BANKSZLA", 26).Caption("Bankszámlaszám :"),
        Text("CG_KSH", 20).Caption("KSH :"),
        Text("CG_CSALGAZDNYILVSZAM", 8).Caption("Családi gazd. száma  :"),
        Text("CG_MEZGAZDTERMSZAM", 10).Caption("Mezőg. term. reg. sz. :"),
        Text("CG_POTLSZAMFIX", 1).Caption("Pótlék számítás - 174 :"),
        Text("CG_KIVA", 1).Caption("KIVA alany :"),
        Text("CG_TAVDIJ", 1).Caption("Munkaidő számítás az MT szerint :"),
        Text("CG_IRSZ", 4).Mask("9999;1;_").Caption("IRSZ / Város :"),
        Text("CG_VAROS", 30),
        Text("CG_KOZTER", 30).Caption("Közterület neve / jell. :"),
        Text("CG_KOZTERJEL", 20),
        Text("CG_HAZSZ", 10).Caption("Házszám :"),
        Text("CG_EPULET", 10).Caption("Épület :"),
        Text("CG_LEPCSOHAZ", 10).Caption("Lépcsőh. :"),
        Text("CG_EMELET", 10).Caption("Emelet :"),
        Text("CG_AJTO", 10).Caption("Ajtó :"),
        Text("CG_LEVIRSZ", 4).Mask("9999;1;_").Caption("IRSZ / Város :"),
        Text("CG_LEVVAROS", 30),
        Text("CG_LEVKOZTER", 30).Caption("Közterület neve / jell. :"),
        Text("CG_LEVKOZTERJEL", 20),
        Text("CG_LEVHAZSZ", 10).Caption("Házszám :"),
        Text("CG_LEVEPULET", 10).Caption("Épület :"),
        Text("CG_LEVLEPCSOHAZ", 10).Caption("Lépcsőh. :"),
        Text("CG_LEVEMELET", 10).Caption("Emelet :"),
        Text("CG_LEVAJTO", 10).Caption("Ajtó :"),
        Text("CG_KULFMNEV", 60).Caption("Neve :"),
        Text("CG_KULFMORSZAG", 2).Mask("ll;0; ").Caption("Országa :"),
        Text("CG_KULFMIRSZ", 4).Mask("9999;1;_").Caption("IRSZ :"),
        Text("CG_KULFMVAROS", 30).Caption("Város :"),
        Text("CG_KULFMKOZTER", 30).Caption("Közterület neve / jell. :"),
        Text("CG_KULFMKOZTERJEL", 20),
        Text("CG_KULFMHAZSZ", 10).Caption("Házszám :"),
        Text("CG_KULFMEPULET", 10).Caption("Épület :"),
        Text("CG_KULFMLEPCSOHAZ", 10).Caption("Lépcsőh. :"),
        Text("CG_KULFMEMELET", 10).Caption("Emelet :"),
        Text("CG_KULFMAJTO", 10).Caption("Ajtó :"),
        Text("CG_UGYINT", 30).Caption("Ügyintéző :"),
        Text("CG_TEL", 20).Caption("Telefonszám :"),
        Text("CG_ASZOLG", 30).Caption("Adatszolgáltató :"),
        Text("CG_ASZOLGADOSZ", 11).Mask("99999999-9-99;0;_").Caption("Adatszolg. adósz. :"),
        Text("CG_ASZOLGTEL", 20).Caption("Adatszolg. tel. :"),
        Text("CG_EVADOAZ", 10).Mask("9999999999;1;_").Caption("EV adóazon. :"),
        Text("CG_ALKMINADATSZ", 2).Mask("99;1;_").Caption("Adatsz. Alk. min. :"),
        Text("CG_TEAOR", 6).Mask("999999;1;_").Caption("TEAOR :"),
        Text("CG_FOTEV", 50).Caption("Fő tevékenység :"),
        Date("CG_NYITDAT"),
        Text("CG_NYITMOD", 1),
    };
    Add(f, Audit("CG"));
    Add(f, Spares("CG", 3));
    return f;
}

std::vector<FieldLayout> NyilatFields() {
    return {
        Text("NY_DGTORZSSZAM", 11).Label("Törzsszám").Mask("99999999999;0;_"),
        Text("NY_DGNEV", 30).Label("Név"),
        Text("NY_ONADOZO", 1),
        SmallInt("NY_RENYIL"),
        Text("NY_S151HADOAZ", 10).Mask("9999999999;0; "),
        Text("NY_S151HNEV", 30),
        Text("NY_S151JANUAR", 1),
        Text("NY_S151FEBRUAR", 1),
        Text("NY_S151MARCIUS", 1),
        Text("NY_S151APRILIS", 1),
        Text("NY_S151MAJUS", 1),
        Text("NY_S151JUNIUS", 1),
        Text("NY_S151JULIUS", 1),
        Text("NY_S151AUGUSZTUS", 1),
        Text("NY_S151SZEPTEMBER", 1),
        Text("NY_S151OKTOBER", 1),
        Text("NY_S151NOVEMBER", 1),
        Text("NY_S151DECEMBER", 1),
        Text("NY_S155KOZOSERV", 1),
        Text("NY_S155MEGOSZT", 1),
        Text("NY_S155HADOAZ", 10).Mask("9999999999;0; "),
        Text("NY_S155HNEV", 30),
        Text("NY_S155JANUAR", 1),
        Text("NY_S155FEBRUAR", 1),
        Text("NY_S155MARCIUS", 1),
        Text("NY_S155APRILIS", 1),
        Text("NY_S155MAJUS", 1),
        Text("NY_S155JUNIUS", 1),
        Text("NY_S155JULIUS", 1),
        Text("NY_S155AUGUSZTUS", 1),
        Text("NY_S155SZEPTEMBER", 1),
        Text("NY_S155OKTOBER", 1),
        Text("NY_S155NOVEMBER", 1),
        Text("NY_S155DECEMBER", 1),
        Text("NY_S156KOZOSERV", 1),
        Text("NY_S156MEGOSZT", 1),
        Text("NY_S156HADOAZ", 10).Mask("9999999999;0; "),
        Text("NY_S156HNEV", 30),
        Text("NY_S156JANUAR", 1),
        Text("NY_S156FEBRUAR", 1),
        Text("NY_S156MARCIUS", 1),
        Text("NY_S156APRILIS", 1),
        Text("NY_S156MAJUS", 1),
        Text("NY_S156JUNIUS", 1),
        Text("NY_S156JULIUS", 1),
        Text("NY_S156AUGUSZTUS", 1),
        Text("NY_S156SZEPTEMBER", 1),
        Text("NY_S156OKTOBER", 1),
        Text("NY_S156NOVEMBER", 1),
        Text("NY_S156DECEMBER", 1),
        Text("NY_S620", 1),
        Text("NY_S101", 25),
        Text("NY_S102", 20),
        Text("NY_S103", 1),
        Text("NY_S104ADOAZ", 10).Mask("9999999999;0; "),
        Text("NY_S104NEV", 30),
        Text("NY_S105ADOAZ", 10).Mask("9999999999;0; "),
        Text("NY_S105NEV", 30),
        Integer("NY_S106JOVKORL"),
        Integer("NY_S125"),
        Integer("NY_S126"),
        Text("NY_S127NEV", 30),
        Text("NY_S127ASZ", 11).Mask("99999999999;0; "),
        Text("NY_S127BANK", 24).Mask("99999999-99999999-99999999;0; "),
        Text("NY_S128", 1),
        Integer("NY_S131"),
        Integer("NY_S132"),
        Integer("NY_S133"),
        Integer("NY_S134"),
        Integer("NY_S135"),
        Integer("NY_S136"),
        Text("NY_S137NEV", 30),
        Text("NY_S137ASZ", 11).Mask("99999999999;0; "),
        Text("NY_S137BANK", 24).Mask("99999999-99999999-99999999;0; "),
        Text("NY_S138", 1),
        Integer("NY_S144"),
        Integer("NY_S145"),
        Text("NY_S146NEV", 30),
        Text("NY_S146ASZ", 11).Mask("99999999999;0; "),
        Text("NY_S146BANK", 24).Mask("99999999-99999999-99999999;0; "),
        Text("NY_S148", 20),
        Integer("NY_S149"),
        Text("NY_S656BANK", 24).Mask("99999999-99999999-99999999;0; "),
        Text("NY_S656NEV", 30),
        Text("NY_S656IRSZ", 4),
        Text("NY_S656VAROS", 30),
        Text("NY_S656KOZTERSTB", 24),
    };
}

std::vector<FieldLayout> M30Fields() {
    Fields f = {
        Text("M30_DGTORZSSZAM", 11).Label("Törzsszám"),
        Text("M30_S0A", 1).Label("Hozott"),
        Integer("M30_S1D"),
        Integer("M30_S2B"),
        Integer("M30_S2C"),
        Integer("M30_S2D"),
        Integer("M30_S3B"),
        Integer("M30_S3C"),
        Integer("M30_S3D"),
        Integer("M30_S4D"),
        Integer("M30_S5D"),
        Integer("M30_S6B"),
        Integer("M30_S6C"),
        Integer("M30_S6D"),
        Integer("M30_S7B"),
        Integer("M30_S7C"),
        Integer("M30_S7D"),
        Integer("M30_S8B"),
        Integer("M30_S8C"),
        Integer("M30_S8D"),
        Integer("M30_S14B"),
        Integer("M30_S14C"),
        Integer("M30_S14D"),
        Integer("M30_S16B"),
        Integer("M30_S16C"),
        Integer("M30_S16D"),
        Integer("M30_S17B"),
        Integer("M30_S17C"),
        Integer("M30_S17D"),
        Integer("M30_S18D"),
        Integer("M30_S65B"),
        Integer("M30_S165B"),
        Integer("M30_S165C"),
        Integer("M30_S165D"),
        Integer("M30_S165E"),
        Integer("M30_S167B"),
        Integer("M30_S167C"),
        Integer("M30_S167D"),
        Integer("M30_S167E"),
        Integer("M30_S168B"),
        Integer("M30_S168C"),
        Integer("M30_S168D"),
        Integer("M30_S168E"),
        Integer("M30_S173B"),
        Integer("M30_S173C"),
        Integer("M30_S173D"),
        Integer("M30_S173E"),
        Text("M30_S175M", 8),
        Integer("M30_S175B"),
        Integer("M30_S175C"),
        Integer("M30_S175D"),
        Integer("M30_S175E"),
        Integer("M30_S176B"),
        Integer("M30_S176C"),
        Integer("M30_S176D"),
        Integer("M30_S176E"),
        Integer("M30_S67E"),
        Integer("M30_S610B"),
        Integer("M30_S611B"),
        Integer("M30_S45B"),
        Integer("M30_S55B"),
        Integer("M30_S56A"),
        Integer("M30_S56B"),
        Integer("M30_S57B"),
        Integer("M30_S901A"),
        Integer("M30_S901B"),
        Integer("M30_S901C"),
        Integer("M30_S901D"),
        Integer("M30_S902A"),
        Integer("M30_S902B"),
        Integer("M30_S902C"),
        Integer("M30_S902D"),
        Integer("M30_S903A"),
        Integer("M30_S903B"),
        Integer("M30_S903C"),
        Integer("M30_S903D"),
        Integer("M30_S904A"),
        Integer("M30_S904B"),
        Integer("M30_S904C"),
        Integer("M30_S904D"),
        Integer("M30_S905A"),
        Integer("M30_S905B"),
        Integer("M30_S905C"),
        Integer("M30_S905D"),
        Integer("M30_S906A"),
        Integer("M30_S906B"),
        Integer("M30_S906C"),
        Integer("M30_S906D"),
        Integer("M30_S907A"),
        Integer("M30_S907B"),
        Integer("M30_S907C"),
        Integer("M30_S907D"),
        Integer("M30_S908A"),
        Integer("M30_S908B"),
        Integer("M30_S908C"),
        Integer("M30_S908D"),
        Integer("M30_S909A"),
        Integer("M30_S909B"),
        Integer("M30_S909C"),
        Integer("M30_S909D"),
        Integer("M30_S910A"),
        Integer("M30_S910B"),
        Integer("M30_S910C"),
        Integer("M30_S910D"),
        Integer("M30_S911A"),
        Integer("M30_S911B"),
        Integer("M30_S911C"),
        Integer("M30_S911D"),
        Integer("M30_S912A"),
        Integer("M30_S912B"),
        Integer("M30_S912C"),
        Integer("M30_S912D"),
        Integer("M30_S913A"),
        Integer("M30_S913B"),
        Integer("M30_S913C"),
        Integer("M30_S913D"),
        Integer("M30_S286G"),
        Integer("M30_S287G"),
        Integer("M30_S289F"),
        Integer("M30_S289G"),
    };
    Add(f, Spares("M30", 3));
    return f;
}

const char* const kMonths[] = {"JANUAR", "FEBRUAR",   "MARCIUS",    "APRILIS", "MAJUS",    "JUNIUS",
                               "JULIUS", "AUGUSZTUS", "SZEPTEMBER", "OKTOBER", "NOVEMBER", "DECEMBER"};

std::vector<FieldLayout> M292Fields() {
    Fields f = {
        Text("M292_DGTORZSSZAM", 11).Label("Dolgozó törzsszám"),
        Text("M292_ADOAZON", 10).Label("Adóazon."),
        Text("M292_VEZETEK", 25).Label("Családi név"),
        Text("M292_KERESZT", 30).Label("Utónév"),
        Date("M292_SZULDAT").Label("Szül. dát."),
        Text("M292_SZULHELY", 30).Label("Szül. hely"),
        Text("M292_JOGCIM1", 1).Label("Jogcím 1 (gyermek után CSP)"),
        Text("M292_JOGCIM2", 1).Label("Jogcím 2 (saját jogon CSP)"),
        Text("M292_JOGCIM3", 1).Label("Jogcím 3 (rokkantsági jár.)"),
        Text("M292_JOGCIM4", 1).Label("Jogcím 4 (várandóság)"),
        Date("M292_VARKEZD").Label("Várandóság kezd."),
        Date("M292_VARVEG").Label("Várandóság vége"),
        Integer("M292_SORSZAM").Label("Sorszám"),
        Text("M292_ANYJA_VEZNEV", 25).Label("Anyja családi neve"),
        Text("M292_ANYJA_KERNEV", 30).Label("Anyja utóneve"),
        Text("M292_KULFOLDI", 1).Label("Külföldi cím"),
        Text("M292_ORSZAG", 30).Label("Ország"),
        Text("M292_VAROS", 30).Label("Város"),
        Text("M292_KOZTER", 30).Label("Közterület"),
        Text("M292_KOZTERJEL", 20).Label("Közt. jellege"),
        Text("M292_HAZSZ", 10).Label("Házszám"),
        Text("M292_EPULET", 10).Label("Épület"),
        Text("M292_LEPCSOHAZ", 10).Label("Lépcsőház"),
        Text("M292_EMELET", 10).Label("Emelet"),
        Text("M292_AJTO", 10).Label("Ajtó"),
        Text("M292_IRSZ", 4).Label("IRSZ"),
    };
    const char* const titles[] = {"Január", "Február",   "Március",    "Április", "Május",    "Június",
                                  "Július", "Augusztus", "Szeptember", "Október", "November", "December"};
    for (int i = 0; i < 12; ++i) f.push_back(Text("M292_" + std::string(kMonths[i]), 1).Label(titles[i]));
    return f;
}

std::vector<FieldLayout> M294Fields() {
    return {
        Text("M294_DGTORZSSZAM", 11),  Text("M294_VEZETEK", 25),     Text("M294_KERESZT", 30),
        Date("M294_SZULDAT"),          Text("M294_TELEPULES", 30),   Text("M294_HRSZ", 20),
        Text("M294_SZULHELY", 27),     Text("M294_ANYJA_ELOTAG", 2), Text("M294_ANYJA_VEZNEV", 25),
        Text("M294_ANYJA_KERNEV", 30), Text("M294_ALLAMPOLG", 25),   Text("M294_IRSZ", 4),
        Text("M294_VAROS", 35),        Text("M294_KERULET", 2),      Text("M294_KOZTER", 25),
        Text("M294_KT_JELLEG", 20),    Text("M294_HSZ", 11),         Text("M294_EP", 4),
        Text("M294_LEP", 4),           Text("M294_AJTO", 4),         Text("M294_EM", 2),
    };
}

std::vector<FieldLayout> FokFelFields() {
    return {
        Text("FF_KOD", 10),  Text("FF_JCKOD", 4), Text("FF_SFMUNKSZAM", 6),
        Float("FF_TARTERT"), Float("FF_KOVERT"),
    };
}

std::vector<FieldLayout> UtalFields() {
    Fields f = {
        Text("UT_JCKOD", 3).Label("Jogcím kód"),
        Text("UT_AZON", 30).Label("Azonosító"),
        Text("UT_DOLGKAPCS", 30).Label("Dolgozó kapcsolat"),
        Text("UT_SZAMLA", 26).Label("Számlaszám"),
        Text("UT_NEV", 20),
        Float("UT_OSSZEG").Label("Összeg"),
    };
    Add(f, Spares("UT", 3));
    return f;
}

std::vector<FieldLayout> NyugPFields() {
    return {
        Text("NP_KOD", 4).Label("Kód"),
        Text("NP_TIPUS", 1).Label("Típus"),
        Text("NP_NEV", 60).Label("Név"),
        Text("NP_RNEV", 20).Label("Rövid név"),
        Text("NP_VAROS", 30).Label("Város"),
        Text("NP_KOZTER", 30).Label("Közterület"),
        Text("NP_KOZTERJEL", 20).Label("Közterület jellege"),
        Text("NP_HAZSZ", 10).Label("Házszám"),
        Text("NP_EPULET", 10).Label("Épület"),
        Text("NP_LEPCSOHAZ", 10).Label("Lépcsőház"),
        Text("NP_EMELET", 10).Label("Emelet"),
        Text("NP_AJTO", 10).Label("Ajtó"),
        Text("NP_IRSZ", 4).Label("IRSZ"),
        Text("NP_BANKSZLA", 26).Label("Bankszámla"),
        Text("NP_ANEM", 3).Label("Adónem kód").Mask("999"),
    };
}

std::vector<FieldLayout> FEORFields() {
    return {
        Text("FE_KOD", 4).Label("Kód"),
        Text("FE_NEV", 60).Label("Név"),
    };
}

// The import conversion table carries table and field names and a default
// value; the widths hold the longest names of this system.
std::vector<FieldLayout> KonDVFields() {
    return {
        Text("KON_VORNTABLA", 20), Text("KON_VORNMEZO", 30),    Text("KON_DRAVTABLA", 20),
        Text("KON_DRAVMEZO", 20),  Text("KON_VORNALAPERT", 60),
    };
}

std::vector<FieldLayout> M29Fields() {
    Fields f = {
        Text("M29_DGADOAZ", 11).Label("Adóazonosító"),  Text("M29_JELLEG", 2).Label("Jelleg"),
        Text("M29_DGTORZSSZAM", 11).Label("Törzsszám"), Integer("M29_SORSZAM").Label("Sorszám"),
        Text("M29_HOZOTTJOV", 1).Label("Hozott jöv."),  Text("M29_KOTNEMT", 1).Label("Adóm. köt. nem terh."),
    };
    Add(f, Each("M29_",
                "S1D S2B S2C S2D S3B S3C S3D S4D S5D S6B S6C S6D S7B S7D S8B S8D S14D S18D S20B "
                "S21B S22A S22B S23A S23B S24A S24B S25B S26B S27B S28B S29B S30B S31B S32B S36C "
                "S40C S44C S45C S47C S48C S55B S56A S56B S58B S165D S165E S167D S167E S173D "
                "S173E S178D S178E S61C S65B S66B S67B S69B S76C S79C S80C",
                Integer));
    for (const char* month : kMonths)
        for (int i = 1; i <= 3; ++i) f.push_back(SmallInt("M29_" + std::string(month) + std::to_string(i)));
    return f;
}

std::vector<FieldLayout> K30Fields() {
    Fields f = {
        Text("K30_DGTORZSSZAM", 11).Label("Törzsszám"),
        Text("K30_JELLEG", 2),
        Text("K30_DGADOAZ", 11).Label("Adóazonosító"),
    };
    Add(f, Cells("K30_S",
                 "1: D; 2-3: B C D; 4-5: D; 6: B C D; 7: A D; 8-9: B C D; 10-11: D; 12: B C D; 13: D;"
                 "14-15: A D; 16-19: B; 20-23: B C D; 24: A B C D; 25-26: B C D; 27: B; 28: B C;"
                 "29: B C D; 30: B; 31-35: A B C D; 37-50: A"));
    f.push_back(Text("K30_S28A", 30));
    f.push_back(Date("K30_S36A"));
    for (char period = 'A'; period <= 'L'; ++period) {
        f.push_back(Date(std::string("K30_S51") + period + "A"));
        f.push_back(Date(std::string("K30_S51") + period + "B"));
    }
    Add(f, Spares("K30", 2));
    return f;
}

std::vector<FieldLayout> K32Fields() {
    Fields f = {
        Text("K32_DGTORZSSZAM", 11).Label("Törzsszám"),
        Text("K32_JELLEG", 2),
        Text("K32_DGADOAZ", 11).Label("Adóazonosító"),
        Text("K32_UTLEVELSZ", 11).Label("Útlevélszám"),
        Integer("K32_JARKOTJOV"),
        Integer("K32_FELSOHATAR"),
        Integer("K32_KIESOIDO"),
    };
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        Add(f, {Date("K32_BIZTTOL" + n), Date("K32_BIZTIG" + n), Text("K32_MNYPTAG" + n, 1),
                Integer("K32_NYJALAP" + n), Integer("K32_NYJ" + n), Integer("K32_EBJALAP" + n),
                Integer("K32_EBJ" + n), Text("K32_ELMARAD" + n, 1)});
    }
    for (int i = 1; i <= 2; ++i) {
        const std::string n = std::to_string(i);
        Add(f, {Date("K32_NTTOL" + n), Date("K32_NTIG" + n), Text("K32_NTMNYP" + n, 1),
                Integer("K32_NTNYALAP" + n), Integer("K32_NTNYJ" + n), Integer("K32_NTEBALAP" + n),
                Integer("K32_NTEBJ" + n), Text("K32_NTELM" + n, 1)});
    }
    for (int i = 1; i <= 2; ++i) {
        const std::string n = std::to_string(i);
        Add(f, {Date("K32_GYESTOL" + n), Date("K32_GYESIG" + n), Text("K32_GYMNYPTAG" + n, 1),
                Integer("K32_GYNYALAP" + n), Integer("K32_GYNYJ" + n), Text("K32_GYELOK" + n, 1)});
    }
    for (int i = 1; i <= 10; ++i) {
        const std::string n = std::to_string(i);
        Add(f, {Date("K32_KIESTOL" + n), Date("K32_KIESIG" + n)});
    }
    Add(f, Spares("K32", 2));
    return f;
}

// The per-employee declaration sheets (1908M): the page key, then the cells.
// Widths of names and addresses are ours; the declaration fixes only what the
// values are.
Fields MabKey(bool page) {
    Fields f = {Text("TORZSSZAM", 11), SmallInt("HONAP"), Text("JELLEG", 2), Date("TOL"), Date("IG")};
    if (page) f.push_back(Text("ADOSZAM", 11));
    return f;
}

Fields MabEmployment() {
    return {Text("ALKMIN1", 2), Text("ALKMIN2", 3), Text("ALKMIN3", 6), Text("ALKMIN4", 3)};
}

std::vector<FieldLayout> MAB00Fields() {
    Fields f = MabKey(true);
    Add(f, {
               Text("CEGADOSZAM", 11),
               Text("CEGADOAZ", 10),
               Text("CEGNEV", 60),
               Text("CEGTITULUS", 10),
               Text("CEGCSALADINEV", 40),
               Text("CEGUTONEV", 40),
               Text("DOLGADOAZ", 10),
               Text("DOLGADOSZAM", 11),
               Text("DOLGNEM", 1),
               Text("DOLGALLAMP", 25),
               Text("DOLGKULFOLDI", 1),
               Text("DOLGKULFOLDIALLAM", 25),
               Text("DOLGTULKOZADOSZAM", 20),
               Text("DOLGOSTERMIGSZAM", 10),
               Text("DOLGCSALGAZDNYILVSZAM", 10),
               Text("DOLGTITULUS", 10),
               Text("DOLGNEV", 40),
               Text("DOLGUTONEV", 40),
               Text("DOLGELOZOTITULUS", 10),
               Text("DOLGELOZONEV", 40),
               Text("DOLGELOZOUTONEV", 40),
               Text("DOLGSZULNEV", 40),
               Text("DOLGSZULUTONEV", 40),
               Text("DOLGANYJASZULNEV", 40),
               Text("DOLGANYJASZULUTONEV", 40),
               Text("DOLGSZULHELY", 30),
               Date("DOLGSZULDAT"),
               Text("DOLGTBAZON", 9),
               Text("DOLGKULFTBNELKUL", 1),
               Text("BEVKOT", 1),
               Text("TBJ56", 1),
               Text("TVADOSZAM", 11),
               Text("TVNEV", 30),
               Text("HELYESBITES", 1),
           });
    return f;
}

Fields MabSheet(bool employment, bool periodDates, const std::string& cells, const CellKinds& kinds,
                const Fields& more) {
    Fields f = MabKey(true);
    if (employment) Add(f, MabEmployment());
    if (periodDates) Add(f, {Date("BIZTOL"), Date("BIZIG")});
    Add(f, Cells("S", cells, kinds));
    Add(f, more);
    return f;
}

std::vector<FieldLayout> MAB04Fields() {
    return MabSheet(
        false, false,
        "300: D; 301-302: A B C D; 303-304: D; 305-306: A B C D; 307-309: B C D;"
        "310-311: A B C D; 312: D; 313-314: A D; 315-316: D; 330-332: B; 333: A; 337: A;"
        "338: A B; 339: A",
        {{{"301-302: A; 305-306: A; 333: A; 337: A", 1}, {"338: A", 10}, {"338: B", 40}}, "339: A"},
        {Integer("L04_SZAKKEPZESIALAP"), Integer("L04_SZAKKEPZESI")});
}

std::vector<FieldLayout> MAB05Fields() {
    return MabSheet(
        false, false, "345: A; 346: A B; 350-354: A B C D E",
        {{{"345: A; 350-354: C D", 1}, {"346: A; 350-354: A", 10}, {"346: B; 350-354: B", 30}}, "350-354: E"},
        {});
}

std::vector<FieldLayout> MAB06Fields() {
    return MabSheet(false, false,
                    "360-362: B; 363: B C D E; 364-366: B D E; 367-369: B C D E; 385: A C; 386: A C D", {},
                    {});
}

std::vector<FieldLayout> MAB07Fields() {
    return MabSheet(false, false, "396-399: A; 400: A B C D E F G; 401-407: A; 415-418: C",
                    {{{"400: A B C D E F G", 1}}}, {});
}

std::vector<FieldLayout> MAB08Fields() {
    return MabSheet(
        true, true, "520-540: A B C; 541-542: B; 543: B; 544-545: B C",
        {{{"520-522: A", 4}, {"523-538: A", 2}, {"539-540: A", 5}, {"541: B", 4}, {"542: B", 1}},
         "520-540: B C; 543: B; 544-545: B C"},
        {Text("NEMBIZTOSITOTT", 1), Date("L08_BIZTOL"), Date("L08_BIZIG"), Text("L08_NEMURESLAP", 1)});
}

std::vector<FieldLayout> MAB09Fields() {
    return MabSheet(
        true, true,
        "555: A C; 556: C; 557: A C; 558-564: C; 565: A C; 566-568: C; 569: A C;"
        "570-572: C; 573: A C; 574-576: C; 577: A C; 578-579: C; 585-586: C",
        {{{"557: A; 565: A; 569: A; 573: A; 577: A", 1}}},
        {Text("CSALJARKEDV", 1), Date("L09_BIZTOL"), Date("L09_BIZIG"), Text("L09_NEMURESLAP", 1),
         Integer("L09_TERMJUTADOKEDV"), Integer("L09_TERMJUTADONKEDV"), Integer("L09_SZHATERMKEDV"),
         Integer("L09_SZHATERMNKEDV"), Integer("L09_SZAKKEPZESIALAP"), Integer("L09_SZAKKEPZESI")});
}

std::vector<FieldLayout> MAB09aFields() {
    return MabSheet(true, true, "598-602: C; 603: A C; 604-605: C; 612: C", {{{"603: A", 1}}},
                    {Text("TBKIFHELY", 1), Text("CSALJARKEDV", 1)});
}

std::vector<FieldLayout> MAB10Fields() {
    return MabSheet(true, true, "620-623: A C; 624-626: C", {},
                    {Text("EKHOVALTELJ", 1), Text("EKHOERTHAT", 1), Text("EKHOSPORTOLO", 1)});
}

std::vector<FieldLayout> MAB11Fields() {
    return MabSheet(true, true,
                    "635: A C; 636-637: C; 638-645: A C; 659: C; 660: A C; 661-664: A C; 665: C; 668: C",
                    {{}, "635: A C; 660: A C"}, {Text("ERTMEGORZADOKEDV", 1), Text("KARTYATIPUS", 1)});
}

std::vector<FieldLayout> MAB12Fields() {
    return MabSheet(true, true, "670: A C; 671-672: C; 673-680: A C; 690: A C; 691-696: A C",
                    {{}, "670: A C; 690: A C"},
                    {Text("ADOKEDVJOGC", 2), Text("L12_SOKGYEREK", 1), Text("L12_DOLGADOAZ", 10),
                     Text("L12_DOLGTBAZON", 9), Text("L12_DOLGTITULUS", 10), Text("L12_DOLGNEV", 40),
                     Text("L12_DOLGUTONEV", 40), Text("L12_DOLGSZULNEV", 40), Text("L12_DOLGSZULUTONEV", 40),
                     Text("L12_DOLGANYJASZULNEV", 40), Text("L12_DOLGANYJASZULUTONEV", 40),
                     Text("L12_DOLGSZULHELY", 30), Date("L12_DOLGSZULDAT"), Text("L12_KEDVMIN", 2)});
}

std::vector<FieldLayout> MAB13Fields() {
    return MabSheet(true, false, "700-715: A B C D E F G; 716: E F",
                    {{{"700-715: A", 2}, {"700-715: G", 1}}, "700-715: B C"}, {Text("MASHOLBIZT", 1)});
}

// The summary declaration (1908A): header and sheets keyed by month and nature.
std::vector<FieldLayout> MABOSZFields() {
    Fields f = {SmallInt("HONAP"),
                Text("JELLEG", 2),
                Date("TOL"),
                Date("IG"),
                Text("VONALKOD", 10),
                Text("CEGADOSZAM", 11),
                Text("CEGADOAZ", 10),
                Text("CEGJOGELADOSZ", 11),
                Text("CEGKULFOLDIALLAM", 2),
                Text("CEGAZONSZAM", 20),
                Text("CEGCSALGAZDNYILVSZAM", 8),
                Text("MAGTITULUS", 10),
                Text("MAGNEV", 40),
                Text("MAGUTONEV", 40),
                Text("MAGELOZOTITULUS", 10),
                Text("MAGELOZONEV", 40),
                Text("MAGELOZOUTONEV", 40),
                Text("CEGNEV", 60),
                Text("CEGKULFOLDI", 1),
                Text("CEGORSZAG", 30),
                Text("CEGIRSZ", 9)};
    Add(f, EachText("CEG", "VAROS KOZTER", 30));
    Add(f, {Text("CEGKOZTERJEL", 20)});
    Add(f, EachText("CEG", "HAZSZ EPULET LEPCSOHAZ EMELET AJTO", 10));
    Add(f, {Text("CEGLEVKULFOLDI", 1), Text("CEGLEVORSZAG", 30), Text("CEGLEVIRSZ", 9)});
    Add(f, EachText("CEGLEV", "VAROS KOZTER", 30));
    Add(f, {Text("CEGLEVKOZTERJEL", 20)});
    Add(f, EachText("CEGLEV", "HAZSZ EPULET LEPCSOHAZ EMELET AJTO", 10));
    Add(f, {Text("CEGUGYINT", 30), Text("CEGUGYINTTEL", 20), Text("TIPUS", 1), Text("FAJTA", 1),
            Integer("BEVSZAM"), Integer("NYUGBEVSZAM")});
    Add(f, EachText("", "KIVA MAK TBJ56 AJBEV EFOBEV HIVATAL", 1));
    return f;
}

Fields MaboszSheet(const std::string& cells, const CellKinds& kinds, const Fields& more) {
    Fields f = {SmallInt("HONAP"), Text("JELLEG", 2)};
    Add(f, Cells("S", cells, kinds));
    Add(f, more);
    return f;
}

std::vector<FieldLayout> MABOSZ01Fields() {
    return MaboszSheet("1-12: C; 13: A C; 14: C; 20: A; 21-22: B; 25-28: C", {{{"20: A", 1}}}, {});
}

std::vector<FieldLayout> MABOSZ01bFields() {
    return MaboszSheet(
        "30-34: C; 35: A C; 36: A C E; 37-39: C; 40-42: A C; 43: C D", {{{"43: D", 2}}},
        {Text("BEVALLASOKA", 1), Text("KISVALLALKOZAS", 1), Text("FELTETELKOD", 1), Text("JOGUTODLAS", 1)});
}

std::vector<FieldLayout> MABOSZ01cFields() {
    return MaboszSheet("50: A B C D E F G H I J K L M N",
                       {{{"50: A", 10},
                         {"50: B", 9},
                         {"50: C", 10},
                         {"50: D E F G H I", 40},
                         {"50: J", 30},
                         {"50: M", 2},
                         {"50: N", 1}},
                        "50: K L"},
                       {});
}

std::vector<FieldLayout> MABOSZ02Fields() {
    return MaboszSheet("70-73: C; 74: C D E; 86-96: C", {{{"74: E", 2}}}, {});
}

std::vector<FieldLayout> MABOSZ02bFields() {
    return MaboszSheet(
        "97-108: C; 109: C D E; 120-122: C; 123-125: C D E; 135: C D E; 136-138: C; 139: C D E",
        {{{"109: E; 123-125: E; 135: E; 139: E", 2}}}, {});
}

std::vector<FieldLayout> MABOSZ02cFields() {
    return MaboszSheet("150-152: C; 153-157: C D E; 158-160: C; 170-172: B; 173: B C; 175: A; 176-179: B",
                       {{{"153-157: E", 2}}}, {});
}

// Row and section captions of the declaration editors, one table for all.
std::vector<FieldLayout> MABFields() {
    return {Integer("MAB_SOR"), Integer("MAB_BEKEZD"), Text("MAB_SZOVEG", 200)};
}

}  // namespace

namespace {

TableLayout Table(std::string name, TableScope scope, std::vector<std::string> key, bool primary,
                  std::vector<FieldLayout> fields, std::vector<LookupLayout> lookups = {}) {
    TableLayout t;
    t.name = std::move(name);
    t.scope = scope;
    t.key = std::move(key);
    t.primaryIndex = primary;
    t.fields = std::move(fields);
    t.lookups = std::move(lookups);
    return t;
}

// The history of employee versions: a running number, then every employee
// field with its own type and size, none required.
std::vector<FieldLayout> DolgRegiFields() {
    Fields f = {Integer("DG_SORSZAM")};
    for (FieldLayout field : DolgozoFields()) {
        field.required = false;
        f.push_back(field);
    }
    return f;
}

LookupLayout EmployeeName(const std::string& name, const std::string& key, std::string label = {}) {
    return {name, key, "TableDolgozo", "DG_TORZSSZAM", "DG_NEV", 30, std::move(label)};
}

LookupLayout EmployeeTaxId(const std::string& name, const std::string& key, std::string label = {}) {
    return {name, key, "TableDolgozo", "DG_TORZSSZAM", "DG_ADOAZ", 11, std::move(label)};
}

std::vector<TableLayout> BuildLayouts() {
    const auto G = TableScope::Global;
    const auto C = TableScope::Company;
    const std::vector<std::string> mabKey = {"TORZSSZAM", "HONAP", "JELLEG", "TOL", "IG"};
    const std::vector<std::string> maboszKey = {"HONAP", "JELLEG"};
    std::vector<TableLayout> t;
    t.push_back(Table("Cegek", G, {"CG_KOD"}, true, CegekFields()));
    t.push_back(Table("Ertekkeszlet", C, {"EK_TIPUS", "EK_ERTEK"}, true, ErtekkeszletFields()));
    t.push_back(Table("KifHely", C, {"KH_KOD"}, true, KifHelyFields()));
    t.push_back(Table("MHely", C, {"MH_KOD"}, true, MHelyFields()));
    t.push_back(Table("Dolgozo", C, {"DG_TORZSSZAM"}, true, DolgozoFields()));
    t.push_back(Table("DolgRegi", C, {"DG_SORSZAM", "DG_TORZSSZAM"}, true, DolgRegiFields()));
    t.back().hasTemplate = false;
    t.push_back(Table("Jogcim", C, {"JC_KOD"}, true, JogcimFields()));
    t.push_back(Table("RJogcim", C, {"RJ_DGTORZSSZAM", "RJ_JCKOD", "RJ_SORSZAM"}, true, RJogcimFields(),
                      {EmployeeName("RJ_szarmDGTORZSSZAMDGNEV", "RJ_DGTORZSSZAM"),
                       {"RJ_szarmJCKODJCNEV", "RJ_JCKOD", "TableJogcim", "JC_KOD", "JC_NEV", 30, {}}}));
    t.push_back(Table("Szamfejt", C,
                      {"SF_DGTORZSSZAM", "SF_HONAP", "SF_KIFIZDAT", "SF_JCKOD", "SF_SORSZAM", "SF_RJSORSZAM"},
                      true, SzamfejtFields()));
    t.push_back(Table("Utal", C, {"UT_JCKOD", "UT_AZON"}, true, UtalFields(),
                      {{"UT_szarmJCNEV", "UT_JCKOD", "TableJogcim", "JC_KOD", "JC_NEV", 30, "Jogcím név"}}));
    t.push_back(Table("Hozzatartozo", C, {"HT_DGTORZSSZAM"}, false, HozzatartozoFields(),
                      {EmployeeName("HT_szarmDGNEV", "HT_DGTORZSSZAM", "Név")}));
    t.push_back(Table("Naptar", G, {"NT_DATUM"}, true, NaptarFields()));
    t.push_back(Table("FEOR", G, {"FE_KOD"}, true, FEORFields()));
    // The year's pay-item table: shipped placements and brought-forward codes.
    t.push_back(Table("JC" + FeldolgozasiEv, G, {"JC_KOD"}, true, JogcimFields()));
    t.push_back(Table("NyugP", G, {"NP_KOD"}, true, NyugPFields()));
    t.push_back(Table("FokFel", G, {}, false, FokFelFields()));
    t.push_back(Table("Nyilat", C, {"NY_DGTORZSSZAM"}, true, NyilatFields()));
    t.push_back(Table("M30", C, {"M30_DGTORZSSZAM"}, true, M30Fields(),
                      {EmployeeName("M30_szarmDGNEV", "M30_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("M29", C, {"M29_DGADOAZ", "M29_JELLEG"}, true, M29Fields(),
                      {EmployeeName("M29_szarmDGNEV", "M29_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("K30", C, {"K30_DGTORZSSZAM"}, true, K30Fields(),
                      {EmployeeName("K30_szarmDGNEV", "K30_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("K32", C, {"K32_DGTORZSSZAM"}, true, K32Fields(),
                      {EmployeeName("K32_szarmDGNEV", "K32_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("M292", C, {}, false, M292Fields(),
                      {EmployeeTaxId("M292_szarmDGADOAZ", "M292_DGTORZSSZAM", "Dolgozó adóazon."),
                       EmployeeName("M292_szarmDGNEV", "M292_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("M294", C, {}, false, M294Fields(),
                      {EmployeeTaxId("M294_szarmDGADOAZ", "M294_DGTORZSSZAM"),
                       EmployeeName("M294_szarmDGNEV", "M294_DGTORZSSZAM", "Dolgozó neve")}));
    t.push_back(Table("MAB00", C, mabKey, true, MAB00Fields()));
    t.push_back(Table("MAB04", C, mabKey, false, MAB04Fields()));
    t.push_back(Table("MAB05", C, mabKey, false, MAB05Fields()));
    t.push_back(Table("MAB06", C, mabKey, false, MAB06Fields()));
    t.push_back(Table("MAB07", C, mabKey, false, MAB07Fields()));
    t.push_back(Table("MAB08", C, mabKey, false, MAB08Fields()));
    t.push_back(Table("MAB09", C, mabKey, false, MAB09Fields()));
    t.push_back(Table("MAB09a", C, mabKey, false, MAB09aFields()));
    t.push_back(Table("MAB10", C, mabKey, false, MAB10Fields()));
    t.push_back(Table("MAB11", C, mabKey, false, MAB11Fields()));
    t.push_back(Table("MAB12", C, mabKey, false, MAB12Fields()));
    t.push_back(Table("MAB13", C, mabKey, false, MAB13Fields()));
    t.push_back(Table("MABOSZ", C, maboszKey, true, MABOSZFields()));
    t.push_back(Table("MABOSZ01", C, maboszKey, true, MABOSZ01Fields()));
    t.push_back(Table("MABOSZ01b", C, maboszKey, true, MABOSZ01bFields()));
    t.push_back(Table("MABOSZ01c", C, maboszKey, true, MABOSZ01cFields()));
    t.push_back(Table("MABOSZ02", C, maboszKey, true, MABOSZ02Fields()));
    t.push_back(Table("MABOSZ02b", C, maboszKey, true, MABOSZ02bFields()));
    t.push_back(Table("MABOSZ02c", C, maboszKey, true, MABOSZ02cFields()));
    t.push_back(Table("KonDV", G, {}, false, KonDVFields()));
    t.push_back(Table("MAB", G, {}, false, MABFields()));
    return t;
}

}  // namespace

const FieldLayout* TableLayout::Field(std::string_view fieldName) const {
    for (const auto& f : fields)
        if (os::SameAsciiName(f.name, fieldName)) return &f;
    return nullptr;
}

db::FieldDefs TableLayout::FieldDefs() const { return {fields.begin(), fields.end()}; }

void AddPersistentFields(db::Dataset& dataset, const TableLayout& layout) {
    for (const FieldLayout& f : layout.fields) {
        db::Field& field = dataset.AddField(f);
        field.Required = f.required;
        field.DisplayLabel = f.label;
        field.EditMask = f.mask;
    }
}

const std::vector<TableLayout>& TableLayouts() {
    static const std::vector<TableLayout> layouts = BuildLayouts();
    return layouts;
}

const TableLayout* FindTableLayout(std::string_view tableName) {
    std::string_view base = tableName;
    if (base.size() > 3 && os::SameAsciiName(base.substr(base.size() - 3), ".DB")) base.remove_suffix(3);
    auto find = [](std::string_view name) -> const TableLayout* {
        for (const auto& t : TableLayouts())
            if (os::SameAsciiName(t.name, name)) return &t;
        return nullptr;
    };
    if (const TableLayout* t = find(base)) return t;
    // "Szamfejt_001": a company's table takes its template's layout.
    const auto us = base.rfind('_');
    if (us == std::string_view::npos || base.size() - us != 4) return nullptr;
    for (char c : base.substr(us + 1))
        if (!std::isdigit(static_cast<unsigned char>(c))) return nullptr;
    const TableLayout* t = find(base.substr(0, us));
    return t && t->scope == TableScope::Company ? t : nullptr;
}

const std::vector<AddedFields>& FieldsAddedToOlderTables() {
    static const std::vector<AddedFields> added = {
        {"MAB04", {"L04_SZAKKEPZESIALAP", "L04_SZAKKEPZESI"}},
        {"MAB12",
         {"S690A", "S690C", "S691A", "S691C", "S692A", "S692C", "S693A", "S693C", "S694A", "S694C", "S695A",
          "S695C", "S696A", "S696C"}},
    };
    return added;
}

const std::vector<std::string>& TablesWithNewerKeys() {
    // One item per pension fund shares its pay-item code; one income
    // certificate, one declaration and one K30 and K32 record per employee;
    // one assessment per tax id and nature.
    static const std::vector<std::string> tables = {"Utal", "M30", "Nyilat", "K30", "K32", "M29"};
    return tables;
}
