// The year-bound start-up values of the program. Every subsystem reads them;
// they never change while the program runs, so they are constants here
// rather than globals the main window fills in.
#pragma once

#include <string>

// The processing year: folder names, date defaults, menu captions.
inline const std::string FeldolgozasiEv = "2019";
// Database aliases of this year's and the previous year's data folders.
inline const std::string AktualisAlias = "TR19";
inline const std::string ElozoEviAlias = "TR18";
// First and second header line of every report; the main window's caption.
inline const std::string ProgramCim = "Tavrina 2019";
inline const std::string KeszitoSor = "Selvo Studio";
// Task-bar title and the version text of the caption.
inline const std::string AlkalmazasCim = "Tavrina19";
inline const std::string VerzioSzoveg = "v.: 19.087";

// The base folder under which a missing year alias is created (~/Tavrina).
std::string AdatKonyvtar();
// The year folder: AdatKonyvtar() + "/" + FeldolgozasiEv.
std::string EvKonyvtar();
