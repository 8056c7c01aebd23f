#include "masterdata/TorzskezDolgozo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>
#include <span>

#include "controls/DBControls.h"
#include "controls/DBDateEdits.h"
#include "controls/DBKinds.h"
#include "core/DataModule1.h"
#include "core/FormTables.h"
#include "core/StartValues.h"
#include "core/TableLayouts.h"
#include "core/helpers/TypedDate.h"
#include "masterdata/List_EgysMunkugyNyilvQR.h"
#include "masterdata/List_NyilvTartVetQR.h"
#include "masterdata/List_TorzsDolgozo.h"
#include "masterdata/List_Torzslap.h"
#include "masterdata/TblSearch.h"
#include "masterdata/TorzskezDolgozoHozzatartozo.h"
#include "platform/db/Transaction.h"
#include "platform/os/Clock.h"
#include "platform/os/DayNumber.h"
#include "platform/ui/ControlKinds.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TabRows.h"
#include "platform/ui/WindowSize.h"

namespace {

using F = TTorzskezDolgozoForm;
using ui::Label;

// Enter in a field of tag n (1 to 12) brings tab n to the front; tag 13 ends
// the record.
// clang-format off
const ui::ControlRow<F> kHead[] = {
//   member              kind                        name                    caption or field        cell      tag
    {&F::DG_TORZSSZAM,   DBEdit,                     "DG_TORZSSZAM",         "DG_TORZSSZAM",         {0, 1}},
    {&F::DG_ERVENYKEZD,  DBDateEdit,                 "DG_ERVENYKEZD",        "DG_ERVENYKEZD",        {0, 4}},
    {&F::DG_NEV,         DBEdit,                     "DG_NEV",               "DG_NEV",               {1, 1, 1, 4}, 1},
    {&F::PageControl1,   ui::PageControl,            "PageControl1",         "",                     {2, 0, 1, 6}},
    {&F::TabSheet1,      ui::TabPage,                "TabSheet1",            "Személyi adatok"},
    {&F::TabSheet2,      ui::TabPage,                "TabSheet2",            "Munkaszerződési adatok"},
    {&F::TabSheet3,      ui::TabPage,                "TabSheet3",            "Kötelezettségek"},
    {&F::TabSheet4,      ui::TabPage,                "TabSheet4",            "Elérhetőség"},
    {&F::TabSheet5,      ui::TabPage,                "TabSheet5",            "Bérezés"},
    {&F::TabSheet6,      ui::TabPage,                "TabSheet6",            "Bérfeladás"},
    {&F::TabSheet7,      ui::TabPage,                "TabSheet7",            "Szabadság keret"},
    {&F::TabSheet8,      ui::TabPage,                "TabSheet8",            "Tagságok"},
    {&F::TabSheet9,      ui::TabPage,                "TabSheet9",            "Nyilatkozatok"},
    {&F::TabSheet10,     ui::TabPage,                "TabSheet10",           "Kedvezmények"},
    {&F::TabSheet11,     ui::TabPage,                "TabSheet11",           "SZHA kedv."},
    {&F::TabSheet12,     ui::TabPage,                "TabSheet12",           "Kilépés"},
};

const ui::ControlRow<F> kSzemelyi[] = {
    {&F::DG_BELEPDAT,    DBDateEdit,                 "DG_BELEPDAT",          "DG_BELEPDAT",          {0, 1}},
    {&F::DG_ADOAZ,       DBEdit,                     "DG_ADOAZ",             "DG_ADOAZ",             {1, 1}},
    {&F::DG_TAJSZ,       DBEdit,                     "DG_TAJSZ",             "DG_TAJSZ",             {2, 1}},
    {&F::DG_UTLEVELSZ,   DBEdit,                     "DG_UTLEVELSZ",         "DG_UTLEVELSZ",         {3, 1}},
    {{},                 DBEdit.Coded("N"),          "DG_NEM",               "DG_NEM",               {4, 1}},
    {{},                 ui::Label,                  "LabelDG_NEM",          "",                     {4, 2}},
    {{},                 DBEdit,                     "DG_LEANYKNEV",         "DG_LEANYKNEV",         {5, 1}},
    {{},                 DBEdit,                     "DG_ANYJANEV",          "DG_ANYJANEV",          {6, 1}},
    {{},                 DBEdit,                     "DG_SZULHELY",          "DG_SZULHELY",          {7, 1}},
    {&F::DG_SZULDAT,     DBDateEdit,                 "DG_SZULDAT",           "DG_SZULDAT",           {8, 1}},
    {&F::DG_MHKOD,       DBEdit,                     "DG_MHKOD",             "DG_MHKOD",             {9, 1}},
    {{},                 ui::Label,                  "LabelDG_MHKOD",        "",                     {9, 2}},
    {{},                 DBEdit,                     "DG_TITULUS",           "DG_TITULUS",           {0, 4}},
    {{},                 DBEdit,                     "DG_ALLAMP",            "DG_ALLAMP",            {1, 4}},
    {&F::DG_NYUGDIJAS,   DBCheckBox,                 "DG_NYUGDIJAS",         "DG_NYUGDIJAS",         {2, 4}},
    {{},                 DBEdit.Hidden(),            "DG_EADOTERH",          "DG_EADOTERH",          {3, 4}},
    {&F::DG_NYUGTORZSSZ, DBEdit,                     "DG_NYUGTORZSSZ",       "DG_NYUGTORZSSZ",       {4, 4}},
    {{},                 DBCheckBox,                 "DG_JOGIALL",           "DG_JOGIALL",           {5, 4}},
    {{},                 DBEdit,                     "DG_OSTERMIGSZAM",      "DG_OSTERMIGSZAM",      {6, 4}},
    {{},                 DBEdit,                     "DG_CSALGAZDNYILVSZAM", "DG_CSALGAZDNYILVSZAM", {7, 4}},
    {{},                 DBEdit,                     "DG_MEZGAZDTERMSZAM",   "DG_MEZGAZDTERMSZAM",   {8, 4}, 2},
};

const ui::ControlRow<F> kMunkaszerzodes[] = {
    {&F::DG_FEOR,        DBEdit,                     "DG_FEOR",              "DG_FEOR",              {0, 1}},
    {{},                 ui::Label,                  "LabelDG_FEOR",         "",                     {0, 2}},
    {&F::DG_MUNKAKOR,    DBEdit,                     "DG_MUNKAKOR",          "DG_MUNKAKOR",          {1, 1}},
    {&F::DG_BERFORM,     DBEdit.Coded("1"),          "DG_BERFORM",           "DG_BERFORM",           {2, 1}},
    {{},                 ui::Label,                  "LabelDG_BERFORM",      "",                     {2, 2}},
    {&F::DG_ALKMIN,      DBEdit.Coded("2"),          "DG_ALKMIN",            "DG_ALKMIN",            {3, 1}},
    {{},                 ui::Label,                  "LabelDG_ALKMIN",       "",                     {3, 2}},
    {&F::DG_ALAPBER,     DBEdit,                     "DG_ALAPBER",           "DG_ALAPBER",           {4, 1}},
    {&F::DG_NAPIKOTORA,  DBEdit,                     "DG_NAPIKOTORA",        "DG_NAPIKOTORA",        {5, 1}},
    {&F::DG_HETIKOTORA,  DBEdit,                     "DG_HETIKOTORA",        "DG_HETIKOTORA",        {6, 1}},
    {{},                 DBDateEdit,                 "DG_MUNKAIDOKERKEZD",   "DG_MUNKAIDOKERKEZD",   {0, 4}},
    {&F::DG_MUNKAIDOKERHO, DBEdit,                     "DG_MUNKAIDOKERHO",     "DG_MUNKAIDOKERHO",     {1, 4}},
    {&F::DG_MUNKAREND,   DBEdit.Coded("S"),          "DG_MUNKAREND",         "DG_MUNKAREND",         {2, 4}},
    {{},                 ui::Label,                  "LabelDG_MUNKAREND",    "",                     {2, 5}},
    {{},                 DBEdit,                     "DG_KORKEDVMKORKOD",    "DG_KORKEDVMKORKOD",    {3, 4}},
    {{},                 DBDateEdit,                 "DG_KORKEDVMKORTOL",    "DG_KORKEDVMKORTOL",    {4, 4}},
    {{},                 DBDateEdit,                 "DG_KORKEDVMKORIG",     "DG_KORKEDVMKORIG",     {5, 4}},
    {{},                 DBEdit,                     "DG_BESOROL",           "DG_BESOROL",           {6, 4}, 3},
};

const ui::ControlRow<F> kKotelezettsegek[] = {
    {&F::DG_NYUGJAR,     DBCheckBox,                 "DG_NYUGJAR",           "DG_NYUGJAR",           {0, 1}},
    {{},                 DBCheckBox,                 "DG_EGBIZJARTERM",      "DG_EGBIZJARTERM",      {1, 1}},
    {{},                 DBCheckBox,                 "DG_EGBIZJARPENZ",      "DG_EGBIZJARPENZ",      {2, 1}},
    {{},                 DBCheckBox,                 "DG_ERDEKTAGD",         "DG_ERDEKTAGD",         {3, 1}},
    {{},                 DBCheckBox,                 "DG_MPJDOLG",           "DG_MPJDOLG",           {4, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_VALLALKJAR",        "DG_VALLALKJAR",        {5, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_EHOTETELES",        "DG_EHOTETELES",        {6, 1}},
    {{},                 DBCheckBox,                 "DG_SZHA",              "DG_SZHA",              {7, 1}},
    {{},                 DBCheckBox,                 "DG_BALJAR",            "DG_BALJAR",            {8, 1}},
    {{},                 DBEdit.Coded("U"),          "DG_GYEDGYESMELLETTI",  "DG_GYEDGYESMELLETTI",  {0, 4}},
    {{},                 ui::Label,                  "LabelDG_GYEDGYESMELLETTI", "",                     {0, 5}},
    {{},                 DBEdit.Coded("G"),          "DG_ALKMINADATSZ",      "DG_ALKMINADATSZ",      {1, 4}},
    {{},                 ui::Label,                  "LabelDG_ALKMINADATSZ", "",                     {1, 5}},
    {{},                 DBEdit,                     "DG_FOGLJELL",          "DG_FOGLJELL",          {2, 4}},
    {{},                 DBEdit.Coded("H"),          "DG_NYUGALKMIN2",       "DG_NYUGALKMIN2",       {3, 4}},
    {{},                 ui::Label,                  "LabelDG_NYUGALKMIN2",  "",                     {3, 5}},
    {{},                 DBEdit,                     "DG_JSORSZADATSZ",      "DG_JSORSZADATSZ",      {4, 4}},
    {{},                 DBEdit.Coded("L"),          "DG_NYENYIJOGVKOD",     "DG_NYENYIJOGVKOD",     {5, 4}},
    {{},                 ui::Label,                  "LabelDG_NYENYIJOGVKOD", "",                     {5, 5}},
    {{},                 DBDateEdit,                 "DG_SZOCSZOVTAGSKEZD",  "DG_SZOCSZOVTAGSKEZD",  {6, 4}},
    {{},                 DBEdit,                     "DG_VALLALKMINBER",     "DG_VALLALKMINBER",     {7, 4}, 4},
};

const ui::ControlRow<F> kElerhetoseg[] = {
    {&F::DG_VAROS,       DBEdit,                     "DG_VAROS",             "DG_VAROS",             {0, 1}},
    {{},                 DBEdit,                     "DG_KOZTER",            "DG_KOZTER",            {1, 1}},
    {{},                 DBEdit,                     "DG_KOZTERJEL",         "DG_KOZTERJEL",         {2, 1}},
    {{},                 DBEdit,                     "DG_HAZSZ",             "DG_HAZSZ",             {3, 1}},
    {{},                 DBEdit,                     "DG_EPULET",            "DG_EPULET",            {4, 1}},
    {{},                 DBEdit,                     "DG_LEPCSOHAZ",         "DG_LEPCSOHAZ",         {5, 1}},
    {{},                 DBEdit,                     "DG_EMELET",            "DG_EMELET",            {0, 4}},
    {{},                 DBEdit,                     "DG_AJTO",              "DG_AJTO",              {1, 4}},
    {{},                 DBEdit,                     "DG_HRSZ",              "DG_HRSZ",              {2, 4}},
    {{},                 DBEdit,                     "DG_IRSZ",              "DG_IRSZ",              {3, 4}},
    {{},                 DBEdit,                     "DG_KULFIRSZ",          "DG_KULFIRSZ",          {4, 4}},
    {{},                 DBEdit,                     "DG_TELSZ",             "DG_TELSZ",             {5, 4}, 5},
};

const ui::ControlRow<F> kBerezes[] = {
    {&F::DG_NAPIATL,     DBEdit,                     "DG_NAPIATL",           "DG_NAPIATL",           {0, 1}},
    {{},                 DBEdit,                     "DG_TAVDIJKORR",        "DG_TAVDIJKORR",        {1, 1}, 6},
};

const ui::ControlRow<F> kBerfeladas[] = {
    {&F::DG_MUNKSZAM,    DBEdit,                     "DG_MUNKSZAM",          "DG_MUNKSZAM",          {0, 1}},
    {{},                 DBEdit,                     "DG_GYUJTO",            "DG_GYUJTO",            {1, 1}, 7},
};

const ui::ControlRow<F> kSzabadsag[] = {
    {&F::DG_ELOSZAB,     DBEdit,                     "DG_ELOSZAB",           "DG_ELOSZAB",           {0, 1}},
    {&F::DG_EVISZAB,     DBEdit,                     "DG_EVISZAB",           "DG_EVISZAB",           {1, 1}},
    {&F::DG_POTSZAB,     DBEdit,                     "DG_POTSZAB",           "DG_POTSZAB",           {2, 1}},
    {{},                 DBEdit,                     "DG_SZABKER",           "DG_SZABKER",           {3, 1}},
    {{},                 DBEdit,                     "DG_BETEGSZABKER",      "DG_BETEGSZABKER",      {4, 1}, 8},
};

const ui::ControlRow<F> kTagsagok[] = {
    {&F::DG_MNYP,        DBEdit,                     "DG_MNYP",              "DG_MNYP",              {0, 1}},
    {{},                 ui::Label,                  "LabelDG_MNYP",         "",                     {0, 2}},
    {&F::DG_MNYPDOLKIEG, DBEdit.Hidden(),            "DG_MNYPDOLKIEG",       "DG_MNYPDOLKIEG",       {1, 1}},
    {&F::DG_MNYPVALKIEG, DBEdit.Hidden(),            "DG_MNYPVALKIEG",       "DG_MNYPVALKIEG",       {2, 1}},
    {{},                 DBEdit,                     "DG_MNYPAZON",          "DG_MNYPAZON",          {3, 1}},
    {{},                 DBDateEdit,                 "DG_MNYPBEDAT",         "DG_MNYPBEDAT",         {4, 1}},
    {&F::DG_ELOZOMNYP,   DBEdit,                     "DG_ELOZOMNYP",         "DG_ELOZOMNYP",         {5, 1}},
    {{},                 DBDateEdit,                 "DG_ELOZOMNYPBEDAT",    "DG_ELOZOMNYPBEDAT",    {6, 1}},
    {{},                 DBDateEdit,                 "DG_ELOZOMNYPKIDAT",    "DG_ELOZOMNYPKIDAT",    {7, 1}},
    {{},                 DBEdit.Coded("K"),          "DG_MNYPFORGKOD",       "DG_MNYPFORGKOD",       {0, 4}},
    {{},                 ui::Label,                  "LabelDG_MNYPFORGKOD",  "",                     {0, 5}},
    {{},                 DBEdit.Coded("L"),          "DG_MNYPJOGVKOD",       "DG_MNYPJOGVKOD",       {1, 4}},
    {{},                 ui::Label,                  "LabelDG_MNYPJOGVKOD",  "",                     {1, 5}},
    {{},                 DBEdit.Coded("8"),          "DG_TAJKIEGKOD",        "DG_TAJKIEGKOD",        {2, 4}},
    {{},                 ui::Label,                  "LabelDG_TAJKIEGKOD",   "",                     {2, 5}},
    {{},                 DBEdit,                     "DG_ERDKEPV",           "DG_ERDKEPV",           {3, 4}},
    {{},                 DBEdit,                     "DG_ONKEPTTAGS",        "DG_ONKEPTTAGS",        {4, 4}},
    {{},                 DBEdit,                     "DG_ONKPTTAGS",         "DG_ONKPTTAGS",         {5, 4}, 9},
};

const ui::ControlRow<F> kNyilatkozatok[] = {
    {&F::DG_KTGHANYAD,   DBEdit,                     "DG_KTGHANYAD",         "DG_KTGHANYAD",         {0, 1}},
    {&F::DG_KTGKULF,     DBEdit,                     "DG_KTGKULF",           "DG_KTGKULF",           {1, 1}},
    {{},                 DBEdit,                     "DG_KTGNYIL",           "DG_KTGNYIL",           {2, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_MUNKADOIJAR",       "DG_MUNKADOIJAR",       {3, 1}},
    {{},                 DBCheckBox,                 "DG_EVA",               "DG_EVA",               {4, 1}},
    {{},                 DBEdit.Hidden(),            "DG_JARALAP",           "DG_JARALAP",           {5, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_KEZDOEV",           "DG_KEZDOEV",           {6, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_KULONADO",          "DG_KULONADO",          {7, 1}},
    {{},                 DBCheckBox.Hidden(),        "DG_VKMEGOSZT",         "DG_VKMEGOSZT",         {8, 1}},
    {{},                 DBCheckBox,                 "DG_OKPKIEG1",          "DG_OKPKIEG1",          {9, 1}},
    {{},                 DBEdit,                     "DG_PIACIERT",          "DG_PIACIERT",          {10, 1}},
    {{},                 DBEdit,                     "DG_TARSASZ",           "DG_TARSASZ",           {0, 4}},
    {{},                 DBEdit,                     "DG_TARSNEV",           "DG_TARSNEV",           {1, 4}},
    {{},                 DBEdit.Hidden(),            "DG_KEDVJAR",           "DG_KEDVJAR",           {2, 4}},
    {{},                 DBEdit.Hidden(),            "DG_MASJOV",            "DG_MASJOV",            {3, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_MADOMEGALL",        "DG_MADOMEGALL",        {4, 4}},
    {{},                 DBEdit.Coded("T").Hidden(), "DG_KORHATELOTTELLAT",  "DG_KORHATELOTTELLAT",  {5, 4}},
    {{},                 ui::Label,                  "LabelDG_KORHATELOTTELLAT", "",                     {5, 5}},
    {{},                 DBCheckBox,                 "DG_SZHALEV",           "DG_SZHALEV",           {6, 4}},
    {&F::DG_EKHOERTHAT,  DBEdit,                     "DG_EKHOERTHAT",        "DG_EKHOERTHAT",        {7, 4}},
    {{},                 DBCheckBox,                 "DG_EKHOVALTELJ",       "DG_EKHOVALTELJ",       {8, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_TV1",               "DG_TV1",               {9, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_TV2",               "DG_TV2",               {10, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_TV3",               "DG_TV3",               {11, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_TV4",               "DG_TV4",               {12, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_TV5",               "DG_TV5",               {13, 4}},
    {{},                 DBEdit,                     "DG_MEGJEGYZES",        "DG_MEGJEGYZES",        {14, 4}, 10},
};

const ui::ControlRow<F> kKedvezmenyek[] = {
    {&F::DG_GYERMSZAM,   DBEdit,                     "DG_GYERMSZAM",         "DG_GYERMSZAM",         {0, 1}},
    {&F::DG_BESZAMGYERM, DBEdit,                     "DG_BESZAMGYERM",       "DG_BESZAMGYERM",       {1, 1}},
    {{},                 DBEdit,                     "DG_CSALKEDV",          "DG_CSALKEDV",          {2, 1}},
    {{},                 DBEdit.Disabled(),          "DG_CSALKEDVSZAM",      "DG_CSALKEDVSZAM",      {3, 1}},
    {{},                 DBCheckBox,                 "DG_CSJARKEDVERV",      "DG_CSJARKEDVERV",      {4, 1}},
    {&F::DG_ELSOHAZASOSSZ, DBEdit,                     "DG_ELSOHAZASOSSZ",     "DG_ELSOHAZASOSSZ",     {5, 1}},
    {{},                 DBDateEdit,                 "DG_ELSOHAZASVEGE",     "DG_ELSOHAZASVEGE",     {6, 1}},
    {{},                 DBCheckBox,                 "DG_FOGYKEDV",          "DG_FOGYKEDV",          {0, 4}},
    {{},                 DBDateEdit,                 "DG_FOGYKEZD",          "DG_FOGYKEZD",          {1, 4}},
    {{},                 DBDateEdit,                 "DG_FOGYVEG",           "DG_FOGYVEG",           {2, 4}},
    {{},                 DBCheckBox.Hidden(),        "DG_ADOJVI",            "DG_ADOJVI",            {3, 4}},
    {{},                 ui::Label.Hidden(),         "LabelAdozasModja",     "Adózás módja (F2) :",  {7, 3}},
    {&F::AdozasModja,    ui::Edit.Coded("M").Hidden(), "AdozasModja",        "",                     {7, 4}, 11},
    {{},                 DBCheckBox.Hidden(),        "DG_KIEGADOJVI",        "DG_KIEGADOJVI",        {4, 4}},
    {{},                 DBCheckBox,                 "DG_JOVNYIL",           "DG_JOVNYIL",           {5, 4}, 11},
};

const ui::ControlRow<F> kSzhaKedv[] = {
    {&F::DG_SZHAKEDVKOD, DBEdit.Coded("9"),          "DG_SZHAKEDVKOD",       "DG_SZHAKEDVKOD",       {0, 1}},
    {{},                 ui::Label,                  "LabelDG_SZHAKEDVKOD",  "",                     {0, 2}},
    {&F::DG_SZHAKEDVKEZD, DBDateEdit,                 "DG_SZHAKEDVKEZD",      "DG_SZHAKEDVKEZD",      {1, 1}},
    {{},                 DBDateEdit,                 "DG_SZHAKEDVVALT",      "DG_SZHAKEDVVALT",      {2, 1}},
    {{},                 DBEdit.Hidden(),            "DG_SZHAKEDVMAX",       "DG_SZHAKEDVMAX",       {3, 1}},
    {{},                 DBDateEdit,                 "DG_SZHAKEDVVEG",       "DG_SZHAKEDVVEG",       {4, 1}, 12},
};

const ui::ControlRow<F> kKilepes[] = {
    {&F::DG_KILEPDAT,    DBDateEdit,                 "DG_KILEPDAT",          "DG_KILEPDAT",          {0, 1}},
    {{},                 DBEdit,                     "DG_MEGSZMOD",          "DG_MEGSZMOD",          {1, 1}},
    {{},                 DBEdit,                     "DG_ATLAGKER",          "DG_ATLAGKER",          {2, 1}},
    {{},                 DBDateEdit,                 "DG_ATLAGKEZD",         "DG_ATLAGKEZD",         {3, 1}},
    {{},                 DBEdit,                     "DG_ATLAGHONAP",        "DG_ATLAGHONAP",        {4, 1}},
    {{},                 DBEdit,                     "DG_UTMUNKAKOR",        "DG_UTMUNKAKOR",        {5, 1}},
    {{},                 DBEdit,                     "DG_VEGKIHOTV",         "DG_VEGKIHOTV",         {0, 4}},
    {{},                 DBEdit.Hidden(),            "DG_VEGKIHOTVFEL",      "DG_VEGKIHOTVFEL",      {1, 4}},
    {{},                 DBDateEdit,                 "DG_FELMIDOKEZD",       "DG_FELMIDOKEZD",       {2, 4}},
    {{},                 DBDateEdit,                 "DG_FELMIDOVEG",        "DG_FELMIDOVEG",        {3, 4}},
    {{},                 DBDateEdit,                 "DG_VEGKIKEZD",         "DG_VEGKIKEZD",         {4, 4}},
    {{},                 DBDateEdit,                 "DG_VEGKIVEG",          "DG_VEGKIVEG",          {5, 4}},
    {{},                 DBDateEdit,                 "DG_UTMUNKNAP",         "DG_UTMUNKNAP",         {6, 4}, 13},
};
// clang-format on

// Flags of a new record that start as "I"; every other starts as "N".
bool IgenAlapertek(const QString& field) { return field == "DG_SZHALEV" || field == "DG_CSJARKEDVERV"; }

// The contributions of an insured employment, ticked on a new record once its
// employment kind is known: left "N", they would give a payroll without them.
const char* const kBiztositottJarulekok[] = {"DG_NYUGJAR", "DG_EGBIZJARTERM", "DG_EGBIZJARPENZ", "DG_MPJDOLG",
                                             "DG_SZHA"};

// Insured by the 2019 rules: the employments ("1", "2", "5") and the sole
// traders ("6" to "8"); a working pensioner pays no contribution and his
// employer no social contribution tax. Other relations ("9") are insured only
// above an income limit, so they are left to the user.
bool BiztositottJogviszony(const QString& alkmin, bool nyugdijas) {
    static const QStringList kBiztositott = {"1", "2", "5", "6", "7", "8"};
    return !nyugdijas && kBiztositott.contains(alkmin);
}

// The leave days from the age reached: 20 below 25, then a day more at each step.
struct KorSzabadsag {
    int age, days;
};
constexpr KorSzabadsag kKorSzabadsag[] = {{45, 30}, {43, 29}, {41, 28}, {39, 27}, {37, 26},
                                          {35, 25}, {33, 24}, {31, 23}, {28, 22}, {25, 21}};

// The derived change and end dates of the social contribution tax allowance
// codes, in years after the start.
struct SzhaKedvEvek {
    const char* code;
    int valtas, vege;
};
constexpr SzhaKedvEvek kSzhaKedvEvek[] = {{"06", 2, 3}, {"09", 2, 3}, {"10", 2, 3},
                                          {"11", 2, 3}, {"20", 2, 3}, {"21", 3, 5}};

bool HasDigit(const QString& text) {
    for (QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

// The side views' columns: field and title; a title left out is the
// field's caption on the form without "(F2)" and the closing colon.
struct KeresoOszlop {
    const char* field;
    const char* title = nullptr;
};

// F3: the employees.
const KeresoOszlop kDolgozoOszlopok[] = {
    {"DG_TORZSSZAM", "Törzsszám"},
    {"DG_ADOAZ", "Adóazonosító jel"},
    {"DG_NEV", "Dolgozó neve"},
    {"DG_LEANYKNEV", "Születési név"},
    {"DG_BELEPDAT", "Belépés dátuma"},
    {"DG_MHKOD", "Munkahely"},
    {"DG_FEOR", "FEOR"},
    {"DG_NAPIKOTORA", "Napi kötelező óra"},
    {"DG_MUNKAKOR", "Munkakör"},
    {"DG_SZULHELY", "Születési hely"},
    {"DG_SZULDAT", "Születési dátum"},
    {"DG_ANYJANEV", "Anyja neve"},
    {"DG_TAJSZ", "TAJ szám"},
    {"DG_BERFORM", "Bérforma"},
    {"DG_ALAPBER", "Alapbér"},
    {"DG_VAROS", "Város"},
    {"DG_KOZTER", "Közterület"},
    {"DG_KOZTERJEL", "Közterület jellege"},
    {"DG_HAZSZ", "Házszám"},
    {"DG_EPULET", "Épület"},
    {"DG_LEPCSOHAZ", "Lépcsőház"},
    {"DG_EMELET", "Emelet"},
    {"DG_AJTO", "Ajtó"},
    {"DG_HRSZ", "HRSZ"},
    {"DG_IRSZ", "Irányítószám"},
    {"DG_KULFIRSZ", "Külföldi irányítószám"},
    {"DG_GYERMSZAM", "Gyermekek száma"},
    {"DG_BESZAMGYERM", "Beszámító gyermekek"},
    {"DG_CSALKEDV", "Családi kedvezmény"},
    {"DG_CSJARKEDVERV", "Családi járulékkedv."},
    {"DG_ELOSZAB", "Előző évi szabadság"},
    {"DG_EVISZAB", "Tárgyévi szabadság"},
    {"DG_POTSZAB", "Pótszabadság"},
    {"DG_SZABKER", "Szabadság keret"},
    {"DG_BETEGSZABKER", "Betegszab. keret"},
    {"DG_SZHAKEDVKOD", "SZHA kedv. kód"},
    {"DG_SZHAKEDVKEZD", "SZHA kedv. kezdete"},
    {"DG_SZHAKEDVVALT", "SZHA kedv. váltás"},
    {"DG_SZHAKEDVVEG", "SZHA kedv. vége"},
};

// F4 and "Számfejtések lekérdezése": payroll rows.
const KeresoOszlop kSzamfejtOszlopok[] = {
    {"SF_DGTORZSSZAM", "Törzsszám"},
    {"SF_DGNEV", "Név"},
    {"SF_HONAP", "Hónap"},
    {"SF_KIFIZDAT", "Kifizetés dátuma"},
    {"SF_JCKOD", "Jogcím kód"},
    {"SF_JCNEV", "Jogcím név"},
    {"SF_OSSZEG", "Összeg"},
    {"SF_SZAZALEK", "Százalék"},
    {"SF_SZHASZAZLEV", "EHO száz. lev."},
    {"SF_ADOALAP", "Adóalap"},
    {"SF_JARALAP", "Járulékalap"},
    {"SF_NAP", "Nap"},
    {"SF_ORA", "Óra"},
    {"SF_TOL", "Tól"},
    {"SF_IG", "Ig"},
    {"SF_MHKOD", "Munkahely"},
    {"SF_MUNKSZAM", "Munkaszám"},
    {"SF_GYUJTO", "Gyűjtő"},
    {"SF_SZAMLA", "Számla"},
};

// "Előzmények": the history rows, every field the form shows; the filing
// number first, so the rows come in filing order.
const KeresoOszlop kElozmenyOszlopok[] = {
    {"DG_SORSZAM", "Sorszám"},
    {"DG_ERVENYKEZD"},
    {"DG_ERVENYVEG", "Rekord érvényesség vége"},
    {"DG_TORZSSZAM"},
    {"DG_NEV"},
    {"DG_BELEPDAT"},
    {"DG_ADOAZ"},
    {"DG_TAJSZ"},
    {"DG_UTLEVELSZ"},
    {"DG_NEM"},
    {"DG_LEANYKNEV"},
    {"DG_ANYJANEV"},
    {"DG_SZULHELY"},
    {"DG_ALLAMP"},
    {"DG_SZULDAT"},
    {"DG_MHKOD"},
    {"DG_TITULUS"},
    {"DG_NYUGDIJAS"},
    {"DG_NYUGTORZSSZ"},
    {"DG_JOGIALL"},
    {"DG_OSTERMIGSZAM"},
    {"DG_CSALGAZDNYILVSZAM"},
    {"DG_MEZGAZDTERMSZAM"},
    {"DG_FEOR"},
    {"DG_MUNKAKOR"},
    {"DG_BERFORM"},
    {"DG_ALKMIN"},
    {"DG_ALAPBER"},
    {"DG_NAPIKOTORA"},
    {"DG_HETIKOTORA"},
    {"DG_MUNKAIDOKERKEZD"},
    {"DG_MUNKAIDOKERHO", "Munkaidőker. hónap"},
    {"DG_MUNKAREND"},
    {"DG_GYEDGYESMELLETTI"},
    {"DG_ALKMINADATSZ", "Adatsz. Alk. min."},
    {"DG_FOGLJELL"},
    {"DG_NYUGALKMIN2", "Adatsz. Nyugdíjas"},
    {"DG_JSORSZADATSZ", "Adatsz. Jogv. sorsz."},
    {"DG_NYENYIJOGVKOD", "Adatsz. NYENYI jogv. kód."},
    {"DG_KORKEDVMKORKOD"},
    {"DG_KORKEDVMKORTOL", "Korkedv. munkakör -tól"},
    {"DG_KORKEDVMKORIG", "Korkedv. munkakör -ig"},
    {"DG_BESOROL"},
    {"DG_NYUGJAR"},
    {"DG_EGBIZJARTERM"},
    {"DG_EGBIZJARPENZ"},
    {"DG_ERDEKTAGD", "Erdekképvis. tagdíj"},
    {"DG_MPJDOLG"},
    {"DG_SZHA"},
    {"DG_BALJAR"},
    {"DG_SZOCSZOVTAGSKEZD"},
    {"DG_VALLALKMINBER"},
    {"DG_VAROS"},
    {"DG_KOZTER"},
    {"DG_KOZTERJEL"},
    {"DG_HAZSZ"},
    {"DG_EPULET"},
    {"DG_LEPCSOHAZ"},
    {"DG_EMELET"},
    {"DG_AJTO"},
    {"DG_HRSZ"},
    {"DG_IRSZ"},
    {"DG_KULFIRSZ"},
    {"DG_TELSZ"},
    {"DG_NAPIATL"},
    {"DG_TAVDIJKORR"},
    {"DG_MUNKSZAM"},
    {"DG_GYUJTO"},
    {"DG_ELOSZAB"},
    {"DG_EVISZAB"},
    {"DG_POTSZAB"},
    {"DG_SZABKER"},
    {"DG_BETEGSZABKER"},
    {"DG_MNYP"},
    {"DG_MNYPBEDAT", "MNYP belép. dát."},
    {"DG_ELOZOMNYP"},
    {"DG_ELOZOMNYPBEDAT", "Előző MNYP belépés dát."},
    {"DG_ELOZOMNYPKIDAT", "Előző MNYP kilép. dát."},
    {"DG_MNYPAZON"},
    {"DG_MNYPFORGKOD"},
    {"DG_MNYPJOGVKOD"},
    {"DG_TAJKIEGKOD"},
    {"DG_ERDKEPV"},
    {"DG_ONKEPTTAGS"},
    {"DG_ONKPTTAGS"},
    {"DG_KTGHANYAD", "Költséghányad"},
    {"DG_KTGNYIL"},
    {"DG_KTGKULF"},
    {"DG_EVA"},
    {"DG_OKPKIEG1"},
    {"DG_JARALAP", "Vállalt járulékalap"},
    {"DG_TARSASZ"},
    {"DG_TARSNEV"},
    {"DG_SZHALEV"},
    {"DG_EKHOERTHAT"},
    {"DG_EKHOVALTELJ"},
    {"DG_MEGJEGYZES"},
    {"DG_GYERMSZAM"},
    {"DG_BESZAMGYERM"},
    {"DG_CSALKEDV"},
    {"DG_CSJARKEDVERV"},
    {"DG_ELSOHAZASOSSZ"},
    {"DG_ELSOHAZASVEGE"},
    {"DG_FOGYKEDV"},
    {"DG_FOGYKEZD"},
    {"DG_FOGYVEG"},
    {"DG_JOVNYIL"},
    {"DG_SZHAKEDVKOD"},
    {"DG_SZHAKEDVKEZD", "SZHA kedv. kezdete"},
    {"DG_SZHAKEDVVALT", "SZHA kedv. váltás"},
    {"DG_SZHAKEDVVEG", "SZHA kedv. vége"},
    {"DG_KILEPDAT"},
    {"DG_MEGSZMOD"},
    {"DG_ATLAGKER", "Átlagkereset / MPJ alap összege"},
    {"DG_ATLAGKEZD", "Átlagkereset kezdete"},
    {"DG_ATLAGHONAP", "Átlagkereset hónapok"},
    {"DG_UTMUNKAKOR"},
    {"DG_VEGKIHOTV"},
    {"DG_FELMIDOKEZD"},
    {"DG_FELMIDOVEG"},
    {"DG_VEGKIKEZD"},
    {"DG_VEGKIVEG"},
    {"DG_UTMUNKNAP"},
};

std::string CaptionTitle(const char* field) {
    const FieldLayout* f = FindTableLayout("Dolgozo")->Field(field);
    QString title = QString::fromStdString(f->caption.empty() ? f->label : f->caption);
    title.remove(QStringLiteral("(F2)"));
    title = title.trimmed();
    if (title.endsWith(':')) title.chop(1);
    return title.trimmed().toStdString();
}

// Shows a table search window over `table` with `columns`, each sized from
// its field. A look-up only: the chosen row is not used.
void SideView(const db::Table& table, std::span<const KeresoOszlop> columns, const std::string& options) {
    std::vector<std::string> fields, titles;
    for (const KeresoOszlop& c : columns) {
        fields.push_back(c.field);
        titles.push_back(c.title ? c.title : CaptionTitle(c.field));
    }
    KeresoAblakMutat(fields, std::vector<std::int16_t>(fields.size(), 1), titles, table.DatabaseName,
                     table.TableName, nullptr, db::Bookmark(), options, QChar(u'H'));
}

}  // namespace

int SzabadsagNapok(int birthYear, int processingYear) {
    if (birthYear == 0) return 20;
    const int age = processingYear - birthYear;
    for (const KorSzabadsag& row : kKorSzabadsag)
        if (age >= row.age) return row.days;
    return 20;
}

double EvekkelKesobb(double date, int years) {
    os::YMD d = os::DecodeDate(date);
    d.year += years;
    if (d.month == 2 && d.day == 29 && !os::IsLeapYear(d.year)) d.day = 28;
    return os::EncodeDate(d.year, d.month, d.day);
}

TTorzskezDolgozoForm::TTorzskezDolgozoForm(QWidget* parent) : MaintenanceForm(DM1->TableDolgozo, parent) {
    setObjectName("TorzskezDolgozoForm");
    setWindowTitle(QStringLiteral("Törzskezelés/Dolgozó"));

    QWidget* head = TablePage();
    ui::ControlBuilder b = FormBuilder(DM1->DataSourceDolgozo);
    b.Build(*this, head, kHead);
    b.Build(*this, TabSheet1, kSzemelyi);
    b.Build(*this, TabSheet2, kMunkaszerzodes);
    b.Build(*this, TabSheet3, kKotelezettsegek);
    b.Build(*this, TabSheet4, kElerhetoseg);
    b.Build(*this, TabSheet5, kBerezes);
    b.Build(*this, TabSheet6, kBerfeladas);
    b.Build(*this, TabSheet7, kSzabadsag);
    b.Build(*this, TabSheet8, kTagsagok);
    b.Build(*this, TabSheet9, kNyilatkozatok);
    b.Build(*this, TabSheet10, kKedvezmenyek);
    b.Build(*this, TabSheet11, kSzhaKedv);
    b.Build(*this, TabSheet12, kKilepes);
    for (int i = 0; i < PageControl1->count(); ++i)
        ui::PageGrid(PageControl1->widget(i))->setColumnStretch(5, 1);
    // Twelve tabs do not fit one row on a 1024-pixel screen.
    ui::ShowTabsInRows(PageControl1);
    // Name labels filled while a record is typed.
    ui::KeepShownSize(this);

    // The side views and sheets: enabled while browsing (ModeButtons).
    auto* further = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption) {
        auto* btn = new QPushButton(QString::fromUtf8(caption), this);
        btn->setObjectName(name);
        btn->setEnabled(false);
        further->addWidget(btn);
        return btn;
    };
    BitBtn12 = button("BitBtn12", "Számfejtések lekérdezése");
    BitBtn13 = button("BitBtn13", "Előzmények");
    BitBtn14 = button("BitBtn14", "Nyilvántartásba vétel");
    BitBtn15 = button("BitBtn15", "Törzslap");
    BitBtn16 = button("BitBtn16", "Hozzátartozók");
    BitBtn17 = button("BitBtn17", "Egys. Munkaügyi Nyilvántart.");
    BitBtn17->setVisible(false);
    connect(BitBtn12, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn12Click);
    connect(BitBtn13, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn13Click);
    connect(BitBtn14, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn14Click);
    connect(BitBtn15, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn15Click);
    connect(BitBtn16, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn16Click);
    connect(BitBtn17, &QPushButton::clicked, this, &TTorzskezDolgozoForm::BitBtn17Click);
    further->addStretch(1);
    Page()->addLayout(further, 1, 0, 1, 3);

    AdoptBuilt();
    for (TDBDateEdit* date : findChildren<TDBDateEdit*>()) {
        AddBuilt(date);
        date->OnExit = [this, date] { DBDateEditExit(date); };
        date->OnChange = [this] { SzerkesztesChange(); };
    }
    AddRecordCode(DG_MHKOD, findChild<QLabel*>("LabelDG_MHKOD"), 3, DM1->TableMhely, "MH_KOD", 43, "MH_NEV",
                  226, QStringLiteral("Munkahely nem létezik!"), true);
    // An occupation code outside the table is not refused: its name, and so
    // the job title, stays empty.
    AddRecordCode(DG_FEOR, findChild<QLabel*>("LabelDG_FEOR"), 8, DM1->TableFEOR, "FE_KOD", 31, "FE_NEV", 446,
                  QString(), true);
    AddSqlRecordCode(DG_MNYP, findChild<QLabel*>("LabelDG_MNYP"), DM1->TableNyugP, "NP_KOD", 35, "NP_NEV",
                     226, QStringLiteral("Ez a kód nem létezik!"));
    AddSqlRecordCode(DG_ELOZOMNYP, nullptr, DM1->TableNyugP, "NP_KOD", 35, "NP_NEV", 226,
                     QStringLiteral("Ez a kód nem létezik!"));
    for (TDBCheckBox* box : findChildren<TDBCheckBox*>())
        connect(box, &QCheckBox::clicked, this, [this, box] { DBCheckBoxClick(box); });
    for (TDBEdit* e : {DG_TAJSZ, DG_UTLEVELSZ})
        connect(e, &QLineEdit::textChanged, this, &TTorzskezDolgozoForm::TajUtlevelAllit);

    Member m;
    m.trimmedKey = "DG_TORZSSZAM";
    m.keyEdits = {DG_TORZSSZAM};
    m.required = {DG_TORZSSZAM, DG_NEV,     DG_ADOAZ,      DG_MHKOD,      DG_BERFORM,
                  DG_ALKMIN,    DG_ALAPBER, DG_NAPIKOTORA, DG_HETIKOTORA, DG_MUNKAREND};
    m.insertFocus = DG_TORZSSZAM;
    m.editFocus = DG_NEV;
    m.references = {{DM1->TableSzamfejt, "SF_DGTORZSSZAM"}};
    m.inUseMessage = QStringLiteral("A dolgozó nem törölhető! A számfejtett állományban szerepel!");
    m.saveTag = 13;
    m.pickKind = 5;
    m.pickColumns = {{"DG_TORZSSZAM", 73}, {"DG_NEV", 336}, {"DG_MHKOD", 43}};
    m.pages = PageControl1;
    FormCreate(std::move(m));
    ModeButtons(true);
    if (Table().IsEmpty()) DBCheckBoxBeallit();

    // After the coded edits' own exit checks, which empty an unknown code.
    for (TDBEdit* e : {DG_NAPIKOTORA, DG_ALKMIN})
        connect(e, &TDBEdit::Exited, this, [this, e] { DBEditExit(e); });
    for (TDBEdit* e : {DG_MNYPDOLKIEG, DG_MNYPVALKIEG, DG_ELSOHAZASOSSZ, DG_MUNKAIDOKERHO, DG_EKHOERTHAT,
                       DG_KTGKULF, DG_GYERMSZAM, DG_BESZAMGYERM})
        connect(e, &TDBEdit::Exited, this, [this, e] { DBEditExit2(e); });
    for (TDBEdit* e : {DG_ELOSZAB, DG_EVISZAB, DG_POTSZAB})
        connect(e, &TDBEdit::Exited, this, &TTorzskezDolgozoForm::SzabadsagExit);
}

void TTorzskezDolgozoForm::TableNyitZar(int n) {
    if (n == 0) {
        DM1->TableErtekkeszlet->Open();
        DM1->TableNyugP->Open();
        DM1->TableMhely->ReadOnly = true;
        DM1->TableMhely->Open();
        DM1->TableFEOR->Open();
        Table().Open();
        DM1->TableRJogcim->Open();
        DM1->TableDolgRegi->Open();
    } else {
        DM1->TableDolgRegi->Close();
        DM1->TableRJogcim->Close();
        DM1->TableJogcim->Close();  // the standing items' lookups opened it
        Table().Close();
        DM1->TableFEOR->Close();
        DM1->TableMhely->Close();
        DM1->TableMhely->ReadOnly = false;
        DM1->TableNyugP->Close();
        DM1->TableErtekkeszlet->Close();
    }
}

void TTorzskezDolgozoForm::Frissit() {
    MaintenanceForm::Frissit();
    if (Mode() != Browse) {
        // The saved job title is always the name of the occupation code.
        db::Field& munkakor = Table().FieldByName("DG_MUNKAKOR");
        const std::string name = findChild<QLabel*>("LabelDG_FEOR")->text().toStdString();
        if (munkakor.AsString() != name) {
            if (name.empty())
                munkakor.Clear();
            else
                munkakor.SetAsString(name);
        }
    }
    TajUtlevelAllit();
}

void TTorzskezDolgozoForm::LabelTorol() {
    for (QLabel* l : findChildren<QLabel*>())
        if (l->objectName().startsWith("LabelDG_")) l->clear();
}

int TTorzskezDolgozoForm::SzabadsagSzam() const {
    const double born = Table().FieldByName("DG_SZULDAT").AsDateTime();
    return SzabadsagNapok(born == 0 ? 0 : os::DecodeDate(born).year, std::stoi(FeldolgozasiEv));
}

std::optional<double> TTorzskezDolgozoForm::CsalkedvSzam() {
    db::Table& t = Table();
    const long long children = t.FieldByName("DG_GYERMSZAM").AsInteger();
    const long long n = children + t.FieldByName("DG_BESZAMGYERM").AsInteger();
    if (n <= 0) return t.FieldByName("DG_CSALKEDV").AsFloat();
    const char* code = n == 1 ? "33" : n == 2 ? "34" : "35";
    db::Table& ek = *DM1->TableErtekkeszlet;
    ek.SetFiltered(false);
    if (!ek.Locate("EK_TIPUS;EK_ERTEK", std::vector<db::Variant>{"0", code})) {
        ui::ShowMessage(QStringLiteral("Hiányzik az értékkészlet 0 típusú, %1 értékű sora, a családi "
                                       "kedvezmény nem számítható!")
                            .arg(code));
        return std::nullopt;
    }
    return static_cast<double>(children) * ek.FieldByName("EK_ERTEKNUM").AsFloat();
}

void TTorzskezDolgozoForm::DolgozoAlapertek() {
    struct Alapertek {
        const char* field;
        db::Variant value;
    };
    const Alapertek defaults[] = {{"DG_ALAPBER", 0},     {"DG_NAPIKOTORA", 8},    {"DG_HETIKOTORA", 40},
                                  {"DG_NAPIATL", 0},     {"DG_BETEGSZABKER", 15}, {"DG_MNYPDOLKIEG", 0},
                                  {"DG_MNYPVALKIEG", 0}, {"DG_MUNKAREND", "1"},   {"DG_JSORSZADATSZ", 1}};
    for (const Alapertek& d : defaults) {
        db::Field& f = Table().FieldByName(d.field);
        if (f.IsNull() || QString::fromStdString(f.AsString()).trimmed().isEmpty()) f.SetValue(d.value);
    }
}

void TTorzskezDolgozoForm::ElozoAllapotMent() {
    elozo_.clear();
    const db::Table& t = Table();
    for (int i = 0; i < t.FieldCount(); ++i) {
        const db::Field& f = t.Fields(i);
        if (f.Kind() == db::FieldKind::Data) elozo_.emplace_back(f.FieldName(), f.Value());
    }
}

void TTorzskezDolgozoForm::TajUtlevelAllit() {
    const bool taj = !DG_TAJSZ->Text().trimmed().isEmpty();
    const bool utlevel = !DG_UTLEVELSZ->Text().trimmed().isEmpty();
    DG_UTLEVELSZ->setEnabled(!taj);
    if (QLabel* l = ui::CaptionOf(DG_UTLEVELSZ)) l->setEnabled(!taj);
    DG_TAJSZ->setEnabled(!utlevel);
    if (QLabel* l = ui::CaptionOf(DG_TAJSZ)) l->setEnabled(!utlevel);
}

void TTorzskezDolgozoForm::DBCheckBoxBeallit() {
    for (TDBCheckBox* box : findChildren<TDBCheckBox*>()) {
        if (Mode() == Insert) {
            if (db::Field* f = box->Field())
                f->SetAsString(IgenAlapertek(box->DataField()) ? box->ValueChecked : box->ValueUnchecked);
        } else {
            box->setChecked(false);
        }
    }
}

void TTorzskezDolgozoForm::DBCheckBoxClick(TDBCheckBox* box) {
    if (Mode() == Edit) SzerkesztesChange();
    if (box != DG_NYUGDIJAS || Mode() == Browse) return;
    JarulekAlapertek();
    if (box->isChecked()) {
        DG_NYUGTORZSSZ->setEnabled(true);
    } else {
        Table().FieldByName("DG_NYUGTORZSSZ").Clear();
        DG_NYUGTORZSSZ->setEnabled(false);
    }
}

bool TTorzskezDolgozoForm::RogzitesMehetVizs() const {
    return MaintenanceForm::RogzitesMehetVizs() && HasDigit(DG_BELEPDAT->Text());
}

void TTorzskezDolgozoForm::NewRecordDefaults() {
    LabelTorol();
    DBCheckBoxBeallit();
    jarulekBiztositott_ = false;
    db::Table& t = Table();
    t.FieldByName("DG_EVISZAB").SetAsInteger(SzabadsagSzam());
    SzabadsagExit();
    DolgozoAlapertek();
    t.FieldByName("DG_NYITDAT").SetAsDateTime(os::Now());
    t.FieldByName("DG_NYITMOD").SetAsString("M");
    DG_NYUGTORZSSZ->setEnabled(false);
}

void TTorzskezDolgozoForm::Felvitel() {
    if (DM1->TableMhely->IsEmpty()) {
        ui::ShowMessage(
            QStringLiteral("Nincs Munkahely! Nem tud Dolgozót felvinni!\rVigyen fel Munkahely-et!"));
        return;
    }
    MaintenanceForm::Felvitel();
}

void TTorzskezDolgozoForm::Modositas() {
    if (Table().IsEmpty()) return;
    ElozoAllapotMent();
    MaintenanceForm::Modositas();
    DG_NYUGTORZSSZ->setEnabled(DG_NYUGDIJAS->isChecked());
}

void TTorzskezDolgozoForm::BeforePost() { DolgozoAlapertek(); }

void TTorzskezDolgozoForm::AfterEditPost() { RegiAdatokMentese(); }

void TTorzskezDolgozoForm::RegiAdatokMentese() {
    const double uj = Table().FieldByName("DG_ERVENYKEZD").AsDateTime();
    if (uj == 0) return;
    double regi = 0;  // an empty old start is earlier than any date
    for (const auto& [name, value] : elozo_)
        if (name == "DG_ERVENYKEZD" && !value.IsNull()) regi = value.ToDouble();
    if (uj <= regi) return;
    db::Table& h = *DM1->TableDolgRegi;
    try {
        // The number is taken while the transaction holds the table, so two
        // workstations filing at once cannot both take it.
        db::Transaction tx{&h};
        h.Refresh();
        long long sorszam = 1;
        if (!h.IsEmpty()) {
            h.Last();
            sorszam = h.FieldByName("DG_SORSZAM").AsInteger() + 1;
        }
        h.Append();
        for (const auto& [name, value] : elozo_)
            if (db::Field* f = h.FindField(name)) f->SetValue(value);
        h.FieldByName("DG_SORSZAM").SetAsInteger(sorszam);
        h.FieldByName("DG_ERVENYVEG").SetAsDateTime(uj - 1);
        h.Post();
        tx.Commit();
    } catch (const std::exception& e) {
        ui::MessageBox(QStringLiteral("Üzenetkezelő"),
                       QStringLiteral("HIBA történt a RÉGI adatok elmentésekor! ") + "\r" +
                           QString::fromStdString(e.what()),
                       ui::Icon::Error, ui::Ok);
    }
}

void TTorzskezDolgozoForm::Torles() {
    MaintenanceForm::Torles();
    if (Table().IsEmpty()) DBCheckBoxBeallit();
}

void TTorzskezDolgozoForm::DeleteRecord() {
    // The standing items and the employee go together or not at all.
    DeleteWithRows(*DM1->TableRJogcim, "RJ_DGTORZSSZAM", "DG_TORZSSZAM");
}

void TTorzskezDolgozoForm::EnterTag(int tag) {
    QWidget* const first[] = {DG_BELEPDAT, DG_FEOR, DG_NYUGJAR,   DG_VAROS,     DG_NAPIATL,     DG_MUNKSZAM,
                              DG_ELOSZAB,  DG_MNYP, DG_KTGHANYAD, DG_GYERMSZAM, DG_SZHAKEDVKOD, DG_KILEPDAT};
    if (tag < 1 || tag > 12) return;
    PageControl1->setCurrentIndex(tag - 1);
    first[tag - 1]->setFocus();
}

void TTorzskezDolgozoForm::Fokusz(QWidget* control) {
    PageControl1->setCurrentWidget(control->parentWidget());
    control->setFocus(Qt::OtherFocusReason);
}

void TTorzskezDolgozoForm::DBEditExit(TDBEdit* edit) {
    if (Mode() == Browse) return;
    const QString text = edit->Text().trimmed();
    if (text.isEmpty()) return;
    db::Table& t = Table();
    if (edit == DG_NAPIKOTORA) {
        t.FieldByName("DG_HETIKOTORA").SetAsFloat(t.FieldByName("DG_NAPIKOTORA").AsFloat() * 5);
    } else if (edit == DG_ALKMIN) {
        if (text > "5" || text < "1") {
            // Not an employment with working hours.
            t.FieldByName("DG_NAPIKOTORA").SetAsInteger(0);
            t.FieldByName("DG_HETIKOTORA").SetAsInteger(0);
        }
        JarulekAlapertek();
    }
}

void TTorzskezDolgozoForm::JarulekAlapertek() {
    if (Mode() != Insert) return;
    db::Table& t = Table();
    const QString alkmin = QString::fromStdString(t.FieldByName("DG_ALKMIN").AsString()).trimmed();
    if (alkmin.isEmpty()) return;
    // The box, not the field: a click is written into the field only when the box is left.
    const bool biztositott = BiztositottJogviszony(alkmin, DG_NYUGDIJAS->isChecked());
    // Only a change of the insurance sets the boxes, so a box the user set stays.
    if (biztositott == jarulekBiztositott_) return;
    jarulekBiztositott_ = biztositott;
    for (const char* field : kBiztositottJarulekok) t.FieldByName(field).SetAsString(biztositott ? "I" : "N");
}

void TTorzskezDolgozoForm::DBEditExit2(TDBEdit* edit) {
    if (Mode() == Browse) return;
    db::Table& t = Table();
    auto refuse = [this, edit](const QString& message) {
        ui::ShowMessage(message);
        Fokusz(edit);
    };
    // Blank passes; a whole number within the bounds passes.
    auto within = [](const QString& text, long long low, long long high) {
        const QString s = text.trimmed();
        if (s.isEmpty()) return true;
        bool ok = false;
        const double v = s.toDouble(&ok);
        return ok && v == std::floor(v) && v >= low && v <= high;
    };
    if (edit == DG_MNYPDOLKIEG || edit == DG_MNYPVALKIEG) {
        const double sum = ("0" + DG_MNYPDOLKIEG->Text().trimmed()).toDouble() +
                           ("0" + DG_MNYPVALKIEG->Text().trimmed()).toDouble();
        if (sum > 2) refuse(QStringLiteral("MNYP dolg. kieg + MNYP váll. kieg. nem lehet nagyobb mint 2!"));
    } else if (edit == DG_ELSOHAZASOSSZ) {
        if (!within(edit->Text(), 0, 33335)) refuse(QStringLiteral("0 és 33335 közötti érték adható meg!"));
    } else if (edit == DG_MUNKAIDOKERHO) {
        if (!within(edit->Text(), 1, 12)) refuse(QStringLiteral("Üres, 1..12 érték adható meg!"));
    } else if (edit == DG_EKHOERTHAT || edit == DG_KTGKULF) {
        if (!within(edit->Text(), 1, 3)) refuse(QStringLiteral("Üres, 1..3 érték adható meg!"));
    } else if (edit == DG_GYERMSZAM || edit == DG_BESZAMGYERM) {
        const std::optional<double> result = CsalkedvSzam();
        if (!result) return;
        bool keep = false;
        if (Mode() == Edit) {
            // Both counts changed and an allowance was typed: the user's amount stays.
            auto changed = [&](const char* field) {
                for (const auto& [name, value] : elozo_)
                    if (name == field) return value.ToInt() != t.FieldByName(field).AsInteger();
                return true;
            };
            keep = changed("DG_GYERMSZAM") && changed("DG_BESZAMGYERM") &&
                   t.FieldByName("DG_CSALKEDV").AsFloat() != 0;
        }
        if (!keep) t.FieldByName("DG_CSALKEDV").SetAsFloat(*result);
        t.FieldByName("DG_CSALKEDVSZAM").SetAsFloat(*result);
    }
}

void TTorzskezDolgozoForm::SzabadsagExit() {
    if (Mode() == Browse) return;
    db::Table& t = Table();
    t.FieldByName("DG_SZABKER")
        .SetAsFloat(t.FieldByName("DG_ELOSZAB").AsFloat() + t.FieldByName("DG_EVISZAB").AsFloat() +
                    t.FieldByName("DG_POTSZAB").AsFloat());
}

void TTorzskezDolgozoForm::DBDateEditExit(TDBDateEdit* edit) {
    double date = 0;
    bool back = false;  // the focus goes back once, after every message
    switch (CheckTypedDate(edit->Text().toStdString(), date, 2030)) {
        case TypedDate::NoDate:
            ui::ShowMessage(QStringLiteral("Ilyen dátum nem létezik!"));
            if (db::Field* f = edit->Field()) f->Clear();
            edit->SetDateValue(0);
            Fokusz(edit);
            return;
        case TypedDate::OutOfRange:
            ui::ShowMessage(QStringLiteral("Ellenőrizze le helyesen írta-e be a dátumot!"));
            back = true;
            break;
        default:
            break;
    }
    if (date != 0) DatumKovetkezmenyei(edit, date, back);
    if (back) Fokusz(edit);
}

void TTorzskezDolgozoForm::DatumKovetkezmenyei(TDBDateEdit* edit, double date, bool& back) {
    if (edit == DG_KILEPDAT) {
        const int year = std::stoi(FeldolgozasiEv);
        if (date < os::EncodeDate(year, 1, 1) || date > os::EncodeDate(year + 1, 12, 31)) {
            ui::ShowMessage(QStringLiteral("Csak adott évi és az adott évet követő dátum adható meg!"));
            back = true;
        }
    } else if (edit == DG_SZULDAT && Mode() == Insert) {
        Table().FieldByName("DG_EVISZAB").SetAsInteger(SzabadsagSzam());
        SzabadsagExit();
    } else if (edit == DG_SZHAKEDVKEZD && Mode() != Browse) {
        db::Table& t = Table();
        const QString code = QString::fromStdString(t.FieldByName("DG_SZHAKEDVKOD").AsString()).trimmed();
        for (const SzhaKedvEvek& k : kSzhaKedvEvek) {
            if (code != k.code) continue;
            // Dates the user filled stay.
            if (t.FieldByName("DG_SZHAKEDVVALT").IsNull())
                t.FieldByName("DG_SZHAKEDVVALT").SetAsDateTime(EvekkelKesobb(date, k.valtas));
            if (t.FieldByName("DG_SZHAKEDVVEG").IsNull())
                t.FieldByName("DG_SZHAKEDVVEG").SetAsDateTime(EvekkelKesobb(date, k.vege));
        }
    }
}

std::unique_ptr<QDialog> TTorzskezDolgozoForm::CreateListForm() {
    return std::make_unique<TList_TorzsDolgozoForm>(this);
}

bool TTorzskezDolgozoForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_F3) {
        SideView(*DM1->TableDolgozo, kDolgozoOszlopok, "#NoAbout#");
        return true;
    }
    if (key == Qt::Key_F4) {
        SideView(*DM1->TableSzamfejt, kSzamfejtOszlopok, "#NoAbout#");
        return true;
    }
    return MaintenanceForm::FormKeyDown(key, modifiers);
}

void TTorzskezDolgozoForm::ModeButtons(bool browsing) {
    BitBtn12->setEnabled(browsing);
    BitBtn13->setEnabled(browsing);
    // The sheets and the dependants need a current employee.
    const bool employee = browsing && !Table().IsEmpty();
    for (QPushButton* b : {BitBtn14, BitBtn15, BitBtn16, BitBtn17}) b->setEnabled(employee);
}

void TTorzskezDolgozoForm::NyilvLapMutat(QPushButton* button, const std::function<void()>& preview) {
    if (Mode() != Browse || Table().IsEmpty()) return;
    db::Table& cegek = *DM1->TableCegek;
    auto vissza = [&] {
        cegek.Close();
        cegek.ReadOnly = false;
        button->setEnabled(true);
    };
    button->setEnabled(false);
    try {
        cegek.ReadOnly = true;
        cegek.Open();
        preview();
    } catch (...) {
        vissza();
        throw;
    }
    vissza();
}

void TTorzskezDolgozoForm::BitBtn14Click() {
    NyilvLapMutat(BitBtn14, [] {
        TList_NyilvTartVetQRForm qr;
        qr.QuickRep1.Preview();
    });
}

void TTorzskezDolgozoForm::BitBtn17Click() {
    NyilvLapMutat(BitBtn17, [] {
        TList_EgysMunkugyNyilvQRForm qr;
        qr.QuickRep1.Preview();
    });
}

void TTorzskezDolgozoForm::BitBtn15Click() {
    if (Mode() != Browse || Table().IsEmpty()) return;
    ShowWithTablesClosed([this] { return std::make_unique<TList_TorzslapForm>(this); });
}

void TTorzskezDolgozoForm::BitBtn12Click() {
    if (Mode() != Browse) return;
    SideView(*DM1->TableSzamfejt, kSzamfejtOszlopok,
             NoAboutWhereEquals("SF_DGTORZSSZAM", Table().FieldByName("DG_TORZSSZAM").AsString()));
}

void TTorzskezDolgozoForm::BitBtn13Click() {
    if (Mode() != Browse) return;
    SideView(*DM1->TableDolgRegi, kElozmenyOszlopok,
             NoAboutWhereEquals("DG_TORZSSZAM", Table().FieldByName("DG_TORZSSZAM").AsString()));
}

void TTorzskezDolgozoForm::BitBtn16Click() {
    if (Mode() != Browse || Table().State() != db::DatasetState::Browse || Table().IsEmpty()) return;
    auto hiba = [](const std::exception& e) {
        ui::MessageBox(
            QStringLiteral("Üzenetkezelő"),
            QStringLiteral("HIBA történt a hozzátartozók megjelenítésekor! \r") + QString::fromUtf8(e.what()),
            ui::Icon::Error, ui::Ok);
    };
    db::Table& h = *DM1->TableHozzatartozo;
    try {
        h.Open();
        h.SetFiltered(false);
        h.SetFilter("");
        h.SetOnFilterRecord(DM1->FilterHandler(&TDM1::List_HozzatartozoFilter));
        h.SetFiltered(true);
        h.First();
        TTorzskezDolgozoHozzatartozoForm form(this);
        ui::ShowModal(form);
    } catch (const std::exception& e) {
        hiba(e);
    }
    // Closed and unfiltered however the form ended.
    try {
        h.Close();
        h.SetFiltered(false);
        h.SetFilter("");
        h.SetOnFilterRecord(nullptr);
    } catch (const std::exception& e) {
        hiba(e);
    }
}
