#include "app/FormList.h"

#include <map>
#include <string>

#include "backup/MentesZip.h"
#include "backup/SzervizJav.h"
#include "datasupply/BankiUt.h"
#include "datasupply/BankiUtBPB.h"
#include "datasupply/BankiUtMKB.h"
#include "datasupply/EvgyONYPadatszolg.h"
#include "datasupply/List_PenztarAdatsz.h"
#include "datasupply/MNYPadatszolg.h"
#include "datasupply/NYENYIadatszolg.h"
#include "datasupply/NyugPMod.h"
#include "datasupply/UtalMod.h"
#include "lists/occasional/List_Adatlap.h"
#include "lists/occasional/List_Berkarton.h"
#include "lists/occasional/List_EFOigazolas.h"
#include "lists/occasional/List_EKHOigazolas.h"
#include "lists/occasional/List_Foglig.h"
#include "lists/occasional/List_MunkidoKedv.h"
#include "lists/occasional/List_Munkig.h"
#include "lists/occasional/List_NYENYI.h"
#include "lists/occasional/List_Szab.h"
#include "lists/occasional/List_SzabKerFelh.h"
#include "lists/payment/List_Berlap.h"
#include "lists/payment/List_Cimletjegyz.h"
#include "lists/payment/List_EVMNYPbevall.h"
#include "lists/payment/List_Jogcim.h"
#include "lists/payment/List_Kifiz.h"
#include "lists/payment/List_KifizJarul.h"
#include "lists/payment/List_MNYP.h"
#include "lists/payment/List_MNYPbevall.h"
#include "lists/summary/List_BevEll.h"
#include "lists/summary/List_BevalSeg.h"
#include "lists/summary/List_Fokfel.h"
#include "lists/summary/List_JarulOssz.h"
#include "lists/summary/List_JogcimOssz.h"
#include "lists/summary/List_KoltsFeloszt.h"
#include "lists/summary/List_MunkidoKedvOssz.h"
#include "lists/summary/List_SZHAkedv.h"
#include "lists/summary/List_Stat.h"
#include "lists/summary/List_UtalTetel.h"
#include "masterdata/SzervizErtekkeszlet.h"
#include "masterdata/SzervizNaptar.h"
#include "masterdata/TorzskezCegek.h"
#include "masterdata/TorzskezDolgozo.h"
#include "masterdata/TorzskezJogcim.h"
#include "masterdata/TorzskezKifhely.h"
#include "masterdata/TorzskezMhely.h"
#include "masterdata/TorzskezRJogcim.h"
#include "payroll/HozottAdatok.h"
#include "tax/annual/Ado_Adatszolg.h"
#include "tax/annual/Ado_K30mod.h"
#include "tax/annual/Ado_K30ossz.h"
#include "tax/annual/Ado_K32mod.h"
#include "tax/annual/Ado_M292mod.h"
#include "tax/annual/Ado_M294mod.h"
#include "tax/annual/Ado_M29mod.h"
#include "tax/annual/Ado_M29ossz.h"
#include "tax/annual/Ado_M30mod.h"
#include "tax/annual/Ado_M30ossz.h"
#include "tax/annual/Ado_NyilatRog.h"
#include "tax/annual/List_AdoelolegElsoHazasNyil.h"
#include "tax/annual/List_AdoelolegKedvNyil.h"
#include "tax/annual/List_AdoelolegSzamNyil.h"
#include "tax/annual/List_CsalkedvNyil.h"
#include "tax/annual/List_K30.h"
#include "tax/annual/List_M29.h"
#include "tax/annual/List_M30.h"
#include "tax/annual/List_Nyilat.h"
#include "tax/monthly/MAB.h"
#include "tax/monthly/MABEVadatsz.h"
#include "tax/monthly/MABOSZ.h"
#include "tax/monthly/MABOSZosszesites.h"
#include "tax/monthly/MABadatsz.h"
#include "tax/monthly/MABadatszSzakkepzesi.h"
#include "tax/monthly/MABosszesites.h"

namespace {

// Each form is created with the application as owner (no parent).
template <class Form>
FormFactory Make() {
    return [] { return std::unique_ptr<QDialog>(new Form()); };
}

const std::map<std::string, FormFactory, std::less<>>& Forms() {
    static const std::map<std::string, FormFactory, std::less<>> forms = {
        {"TAdo_NyilatRogForm", Make<TAdo_NyilatRogForm>()},
        {"TList_AdoelolegElsoHazasNyilForm", Make<TList_AdoelolegElsoHazasNyilForm>()},
        {"TList_AdoelolegKedvNyilForm", Make<TList_AdoelolegKedvNyilForm>()},
        {"TList_AdoelolegSzamNyilForm", Make<TList_AdoelolegSzamNyilForm>()},
        {"TList_BerlapForm", Make<TList_BerlapForm>()},
        {"TUtalModForm", Make<TUtalModForm>()},
        {"TNyugPModForm", Make<TNyugPModForm>()},
        {"TList_CsalkedvNyilForm", Make<TList_CsalkedvNyilForm>()},
        {"TList_NyilatForm", Make<TList_NyilatForm>()},
        {"TList_AdatlapForm", Make<TList_AdatlapForm>()},
        {"TBankiUtBPBForm", Make<TBankiUtBPBForm>()},
        {"TBankiUtForm", Make<TBankiUtForm>()},
        {"TBankiUtMKBForm", Make<TBankiUtMKBForm>()},
        {"TEvgyONYPadatszolgForm", Make<TEvgyONYPadatszolgForm>()},
        {"TMNYPadatszolgForm", Make<TMNYPadatszolgForm>()},
        {"TNYENYIadatszolgForm", Make<TNYENYIadatszolgForm>()},
        {"TList_PenztarAdatszForm", Make<TList_PenztarAdatszForm>()},
        {"TMABosszesitesForm", Make<TMABosszesitesForm>()},
        {"TMABOSZosszesitesForm", Make<TMABOSZosszesitesForm>()},
        {"TMABadatszForm", Make<TMABadatszForm>()},
        {"TMABEVadatszForm", Make<TMABEVadatszForm>()},
        {"TMABadatszSzakkepzesiForm", Make<TMABadatszSzakkepzesiForm>()},
        {"TMABForm", Make<TMABForm>()},
        {"TMABOSZForm", Make<TMABOSZForm>()},
        {"TList_BerkartonForm", Make<TList_BerkartonForm>()},
        {"TList_EFOigazolasForm", Make<TList_EFOigazolasForm>()},
        {"TList_EKHOigazolasForm", Make<TList_EKHOigazolasForm>()},
        {"TList_FogligForm", Make<TList_FogligForm>()},
        {"TList_MunkigForm", Make<TList_MunkigForm>()},
        {"TList_NYENYIForm", Make<TList_NYENYIForm>()},
        {"TList_CimletjegyzForm", Make<TList_CimletjegyzForm>()},
        {"TList_BevEllForm", Make<TList_BevEllForm>()},
        {"TList_BevalSegForm", Make<TList_BevalSegForm>()},
        {"TList_JogcimForm", Make<TList_JogcimForm>()},
        {"TList_KifizForm", Make<TList_KifizForm>()},
        {"TList_KifizJarulForm", Make<TList_KifizJarulForm>()},
        {"TList_EVMNYPbevallForm", Make<TList_EVMNYPbevallForm>()},
        {"TList_FokfelForm", Make<TList_FokfelForm>()},
        {"TList_JarulOsszForm", Make<TList_JarulOsszForm>()},
        {"TList_JogcimOsszForm", Make<TList_JogcimOsszForm>()},
        {"TList_MNYPForm", Make<TList_MNYPForm>()},
        {"TList_MNYPbevallForm", Make<TList_MNYPbevallForm>()},
        {"TList_MunkidoKedvForm", Make<TList_MunkidoKedvForm>()},
        {"TList_MunkidoKedvOsszForm", Make<TList_MunkidoKedvOsszForm>()},
        {"TList_SZHAkedvForm", Make<TList_SZHAkedvForm>()},
        {"TList_KoltsFelosztForm", Make<TList_KoltsFelosztForm>()},
        {"TList_StatForm", Make<TList_StatForm>()},
        {"TList_SzabForm", Make<TList_SzabForm>()},
        {"TList_SzabKerFelhForm", Make<TList_SzabKerFelhForm>()},
        {"TList_UtalTetelForm", Make<TList_UtalTetelForm>()},
        {"TTorzskezCegekForm", Make<TTorzskezCegekForm>()},
        {"TTorzskezDolgozoForm", Make<TTorzskezDolgozoForm>()},
        {"TTorzskezJogcimForm", Make<TTorzskezJogcimForm>()},
        {"TTorzskezKifhelyForm", Make<TTorzskezKifhelyForm>()},
        {"TTorzskezMhelyForm", Make<TTorzskezMhelyForm>()},
        {"TTorzskezRJogcimForm", Make<TTorzskezRJogcimForm>()},
        {"THozottAdatokForm", Make<THozottAdatokForm>()},
        {"TMentesZipForm", Make<TMentesZipForm>()},
        {"TSzervizJavForm", Make<TSzervizJavForm>()},
        {"TSzervizErtekkeszletForm", Make<TSzervizErtekkeszletForm>()},
        {"TSzervizNaptarForm", Make<TSzervizNaptarForm>()},
        {"TAdo_M30osszForm", Make<TAdo_M30osszForm>()},
        {"TAdo_M29osszForm", Make<TAdo_M29osszForm>()},
        {"TAdo_M29modForm", Make<TAdo_M29modForm>()},
        {"TAdo_M292modForm", Make<TAdo_M292modForm>()},
        {"TAdo_M294modForm", Make<TAdo_M294modForm>()},
        {"TAdo_AdatszolgForm", Make<TAdo_AdatszolgForm>()},
        {"TList_M29Form", Make<TList_M29Form>()},
        {"TAdo_M30modForm", Make<TAdo_M30modForm>()},
        {"TList_M30Form", Make<TList_M30Form>()},
        {"TAdo_K30osszForm", Make<TAdo_K30osszForm>()},
        {"TAdo_K30modForm", Make<TAdo_K30modForm>()},
        {"TAdo_K32modForm", Make<TAdo_K32modForm>()},
        {"TList_K30Form", Make<TList_K30Form>()},
    };
    return forms;
}

}  // namespace

const FormFactory* FindForm(std::string_view formName) {
    const auto& forms = Forms();
    auto it = forms.find(formName);
    return it == forms.end() ? nullptr : &it->second;
}

std::vector<std::string> FormNames() {
    std::vector<std::string> names;
    for (const auto& [name, factory] : Forms()) names.push_back(name);
    return names;
}
