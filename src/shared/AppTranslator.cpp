#include "shared/AppTranslator.h"

#include "shared/Translator.h"
#include "shared/WebAddresses.h"

namespace {

struct Pair {
    const char* english;
    const char* german;
};

// Windows-1252 bytes; every escape ends its literal so no letter joins the escape.
// clang-format off
const Pair kPairs[] = {
    {"%s already running on this machine.", "%s wird bereits ausgef" "\xFC" "hrt"},
    {"Warning", "Warnung"},
    {"\nFeels like: ", "\nF" "\xFC" "hltemperatur: @"},
    {"\nAir: ", "\nLuft: @"},
    {" with ", " bei @"},
    {" Humidity", " Feuchtigkeit@"},
    {"\nVisibility: ", "\nSicht: @"},
    {"\nUpdated: ", "\nAktualisiert: @"},
    {"Weather update - contacting server...", "Kontaktiere Server zum Wetter-Update...@"},
    {"This appointment occurs in the past !", "Erinnerungstermin liegt in der Vergangenheit !@"},
    {"An unhandled exception occurred.", "Ein unbekannter Fehler wurde ausgel" "\xF6" "st.@"},
    {"Error while writing data to hard disk.", "Fehler beim schreiben von Daten auf Festplatte.@"},
    {"Do you really want to delete this notice?", "Wollen sie diese Notiz wirklich l" "\xF6" "schen?@"},
    {"&Delete", "&L" "\xF6" "schen@"},
    {"&remind again", "&erneut erinnern@"},
    {"Developed by:", "Entwickelt von:@"},
    {"E&xit", "&Beenden@"},
    {"&Minimize", "&Minimieren@"},
    {"&Maximize", "&Maximieren@"},
    {"%s on the web", "%s im Netz@"},
    {"&Send me to a friend...", "&Sende mich an einen Freund...@"},
    {"&Bring back a deleted note", "&Gel" "\xF6" "schte Notiz zur" "\xFC" "ckholen@"},
    {"&Always on top", "Immer im &Vordergrund@"},
    {"&Run on system start up", "&Autostart@"},
    {"&Configure...", "&Optionen...@"},
    {"About %s...", "Info " "\xFC" "ber %s...@"},
    {"&Notes", "&Notizen@"},
    {"&Timer", "&Timer@"},
    {"&German weather", "&Biergartenwetter@"},
    {"M&enu", "&Zu Zorla@"},
    {"&Update weather data", "&Neue Wetterdaten holen@"},
    {"&Play sounds", "&Kl" "\xE4" "nge abspielen@"},
    {"&Do not connect to the internet", "Keine Verbindung zum Internet aufbauen!@"},
    {"Send mail...", "Als Email versenden...@"},
    {"To:", "Empf" "\xE4" "nger:@"},
    {"Subject:", "Betreff:@"},
    {"Message:", "Nachricht:@"},
    {nullptr, "Mehrfachempf" "\xE4" "nger mit Semikolons trennen@"},  // the recipient hint
    {"&Send", "&Senden@"},
    {"&Cancel", "&Abbrechen@"},
    {"Compress and attach as ZIP - Archive", "Komprimieren und als ZIP - Archiv anh" "\xE4" "ngen@"},
    {"You do not have an e-mail client or the client is not configured properly. :(",
     "Sie haben kein E-Mailprogramm oder ihr E-Mailprogramm ist nicht richtig konfiguriert :(@"},
    {"Send me to a friend...", "Sende mich an einen Freund...@"},
    {"Send Quokka", "Verschicke Quokka@"},
    {"Start attaching program...", "H" "\xE4" "nge Programm an...@"},
    {"Start compressing program...", "Komprimiere zu verschickendes Programm...@"},
    {"Prepare to send mail...", "Initialisiere E-Mail Versandt...@"},
    {"Start sending mail...", "Beginne mit E-Mailversand" "\x85" "@"},
    {"Done !", "Fertig !@"},
};
// clang-format on

const char* const kGermanFooter = "\n\n\n---------------\nDies ist ein Klimbim exklusiv entwickelt f"
                                  "\xFC"
                                  "r " ZORLA_BRAND_URL "\n\nFalls sie den Anhang nicht "
                                  "\xF6"
                                  "ffnen k"
                                  "\xF6"
                                  "nnen, besuchen sie unsere Webseite und laden Zorla von dort.@";

}  // namespace

void FillTranslationTable(CTranslator& table)
{
    for (const Pair& pair : kPairs)
        table.Insert(pair.english ? pair.english : kRecipientHint, pair.german);
    table.Insert(MailFooter(), kGermanFooter);
}

void CAppTranslator::TranslateWindow(HWND window, int language)
{
    if (language == -1)
        CWndTranslator::TranslateWindow(window, GetUiLanguage());
}
