#include "core/StartValues.h"

#include "platform/os/System.h"

std::string AdatKonyvtar() { return os::BaseFolder(); }

std::string EvKonyvtar() { return AdatKonyvtar() + "/" + FeldolgozasiEv; }
