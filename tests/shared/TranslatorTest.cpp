#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Every English text of the program with what a German system shows, written
// here in UTF-8 so the table's Windows-1252 bytes are checked independently.
std::vector<std::pair<std::string, std::string>> ExpectedPairs()
{
    return {
        {"%s already running on this machine.", "%s wird bereits ausgeführt"},
        {"Warning", "Warnung"},
        {"\nFeels like: ", "\nFühltemperatur: "},
        {"\nAir: ", "\nLuft: "},
        {" with ", " bei "},
        {" Humidity", " Feuchtigkeit"},
        {"\nVisibility: ", "\nSicht: "},
        {"\nUpdated: ", "\nAktualisiert: "},
        {"Weather update - contacting server...", "Kontaktiere Server zum Wetter-Update..."},
        {"This appointment occurs in the past !", "Erinnerungstermin liegt in der Vergangenheit !"},
        {"An unhandled exception occurred.", "Ein unbekannter Fehler wurde ausgelöst."},
        {"Error while writing data to hard disk.", "Fehler beim schreiben von Daten auf Festplatte."},
        {"Do you really want to delete this notice?", "Wollen sie diese Notiz wirklich löschen?"},
        {"&Delete", "&Löschen"},
        {"&remind again", "&erneut erinnern"},
        {"once", "einmal"},
        {"every day", "täglich"},
        {"every weekday", "werktags"},
        {"every week", "wöchentlich"},
        {"every month", "monatlich"},
        {"every year", "jährlich"},
        {"daily", "täglich"},
        {"weekdays", "werktags"},
        {"weekly", "wöchentlich"},
        {"monthly", "monatlich"},
        {"yearly", "jährlich"},
        {"This reminder repeats. Delete only this occurrence (it comes again at its next time) or the whole series?",
         "Diese Erinnerung wiederholt sich. Nur diesen Termin löschen (sie kommt zum nächsten Termin wieder) oder die "
         "ganze Serie?"},
        {"This &occurrence", "Nur &diesen Termin"},
        {"The whole &series", "Die ganze &Serie"},
        {"Developed by:", "Entwickelt von:"},
        {"E&xit", "&Beenden"},
        {"&Minimize", "&Minimieren"},
        {"&Maximize", "&Maximieren"},
        {"%s on the web", "%s im Netz"},
        {"&Send me to a friend...", "&Sende mich an einen Freund..."},
        {"&Always on top", "Immer im &Vordergrund"},
        {"&Run on system start up", "&Autostart"},
        {"&Configure...", "&Optionen..."},
        {"About %s...", "Info über %s..."},
        {"&Notes", "&Notizen"},
        {"&Timer", "&Timer"},
        {"&German weather", "&Biergartenwetter"},
        {"M&enu", "&Zu Zorla"},
        {"&Update weather data", "&Neue Wetterdaten holen"},
        {"&Play sounds", "&Klänge abspielen"},
        {"&Do not connect to the internet", "Keine Verbindung zum Internet aufbauen!"},
        {"Send mail...", "Als Email versenden..."},
        {"To:", "Empfänger:"},
        {"Subject:", "Betreff:"},
        {"Message:", "Nachricht:"},
        {kRecipientHint, "Mehrfachempfänger mit Semikolons trennen"},
        {"&Send", "&Senden"},
        {"&Cancel", "&Abbrechen"},
        {"Compress and attach as ZIP - Archive", "Komprimieren und als ZIP - Archiv anhängen"},
        {"You do not have an e-mail client or the client is not configured properly. :(",
         "Sie haben kein E-Mailprogramm oder ihr E-Mailprogramm ist nicht richtig konfiguriert :("},
        {"Send me to a friend...", "Sende mich an einen Freund..."},
        {"&Bring back a deleted note", "&Gelöschte Notiz zurückholen"},
        {"Keep notes in a &folder...", "Notizen in einem O&rdner aufbewahren..."},
        {"Keep notes on this computer &only", "Notizen nur auf diesem &Computer"},
        {"New note", "Neue Notiz"},
        {"Show all notes", "Alle Notizen zeigen"},
        {"Find a note...", "Notiz suchen..."},
        {"Ctrl", "Strg"},
        {"Shift", "Umschalt"},
        {"%s is used by another program, so it cannot give Zorla's \"%s\".\n\nAnother key can be set in the registry: "
         "%s",
         "%s wird von einem anderen Programm verwendet und kann daher nicht für \"%s\" von Zorla sorgen.\n\nEine "
         "andere "
         "Taste lässt sich in der Registrierung festlegen: %s"},
        {"\"%s\" is not a key Zorla understands (for example Win+Shift+N), so \"%s\" has no key.\n\nThe key is set in "
         "the registry: %s",
         "\"%s\" ist keine Taste, die Zorla versteht (zum Beispiel Win+Umschalt+N), daher hat \"%s\" keine "
         "Taste.\n\nDie "
         "Taste wird in der Registrierung festgelegt: %s"},
        {"Find a note", "Notiz suchen"},
        {"Note", "Notiz"},
        {"Reminder", "Erinnerung"},
        {"No note contains this text.", "Keine Notiz enthält diesen Text."},
        {"There are no notes yet.", "Es gibt noch keine Notizen."},
        {"Close", "Schließen"},
        {"Back", "Zurück"},
        {"File the note", "Notiz ablegen"},
        {"Set the reminder", "Erinnerung stellen"},
        {"Press", "Drücken"},
        {"Choose the folder your sync service keeps on every computer (OneDrive, Dropbox, Nextcloud, ...):",
         "Wählen Sie den Ordner, den Ihr Sync-Dienst auf jedem Computer hält (OneDrive, Dropbox, Nextcloud, ...):"},
        {MailFooter(), "\n\n\n---------------\nDies ist ein Klimbim exklusiv entwickelt für " ZORLA_BRAND_URL
                       "\n\nFalls sie den Anhang nicht öffnen können, besuchen sie unsere Webseite und laden "
                       "Zorla von dort."},
        {"Send Quokka", "Verschicke Quokka"},
        {"Start attaching program...", "Hänge Programm an..."},
        {"Start compressing program...", "Komprimiere zu verschickendes Programm..."},
        {"Prepare to send mail...", "Initialisiere E-Mail Versandt..."},
        {"Start sending mail...", "Beginne mit E-Mailversand…"},
        {"Done !", "Fertig !"},
        {"Zorla options", "Zorla-Optionen"},
        {"Keys from anywhere", "Tasten von überall"},
        {"&New note:", "&Neue Notiz:"},
        {"&Show all notes:", "Alle Notizen &zeigen:"},
        {"&Find a note:", "Notiz suc&hen:"},
        {"Synced f&older:", "Sync-&Ordner:"},
        {"C&hoose...", "Aus&wählen..."},
        {"&Local only", "Nur &lokal"},
        {"This computer only", "Nur dieser Computer"},
        {"Weather units", "Einheiten des Wetters"},
        {"A&utomatic", "A&utomatisch"},
        {"Fahr&enheit (°F)", "&Fahrenheit (°F)"},
        {"None", "Keine"},
        {"Used by another program", "Von einem anderen Programm belegt"},
        {"Not a key Zorla understands", "Keine Taste, die Zorla versteht"},
        {"Press it with Ctrl, Alt, Shift or Win", "Mit Strg, Alt, Umschalt oder Win drücken"},
        {"%s is the key of \"%s\" already", "%s ist schon die Taste für \"%s\""},
        {"&Colour", "&Farbe"},
        {"&Yellow", "G&elb"},
        {"&Blue", "&Blau"},
        {"&Green", "&Grün"},
        {"&Pink", "&Rosa"},
        {"P&urple", "&Lila"},
        {"G&rey", "Gr&au"},
    };
}

}  // namespace

TEST(Translator, HoldsExactlyTheProgramsPairsAndRefillingChangesNothing)
{
    CTranslator table;
    FillTranslationTable(table);
    ASSERT_EQ(table.Size(), 120u);
    FillTranslationTable(table);
    EXPECT_EQ(table.Size(), 120u);
    FillTranslationTable(GetTranslator());
    for (const auto& [english, german] : ExpectedPairs())
        EXPECT_EQ(GetTranslator().Translate(english, UiGerman), (german)) << english;
}

TEST(Translator, EnglishLeavesEveryTextAsItIs)
{
    FillTranslationTable(GetTranslator());
    for (const auto& pair : ExpectedPairs())
        EXPECT_EQ(GetTranslator().Translate(pair.first, UiEnglish), pair.first);
}

TEST(Translator, MatchesWholeTextsOnlyAndKeepsTheFirstField)
{
    CTranslator table;
    table.Insert("&Cancel", "&Abbrechen@x@y");
    table.Insert("Plain", "Schlicht");
    EXPECT_EQ(table.Translate("&Cancel", UiGerman), "&Abbrechen");
    EXPECT_EQ(table.Translate("Plain", UiGerman), "Schlicht");
    EXPECT_EQ(table.Translate("&cancel", UiGerman), "&cancel");
    EXPECT_EQ(table.Translate("Cancel", UiGerman), "Cancel");
    EXPECT_EQ(table.Translate(" &Cancel", UiGerman), " &Cancel");
    EXPECT_EQ(table.Translate("", UiGerman), "");
    EXPECT_EQ(table.Translate("&Cancel", 3), "&Cancel");
}

TEST(Translator, EnglishSystemIsNotGerman)
{
    EXPECT_EQ(GetUiLanguage(), UiEnglish);
    FillTranslationTable(GetTranslator());
    EXPECT_EQ(Translate("E&xit"), "E&xit");
}

TEST(GermanTranslator, GermanSystemTranslatesThroughTheSharedCall)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman) << "LC_ALL=de_DE.UTF-8 should give a German user language";
    FillTranslationTable(GetTranslator());
    EXPECT_EQ(Translate("E&xit"), "&Beenden");
    EXPECT_EQ(Translate("Warning"), "Warnung");
    EXPECT_EQ(Translate(" Humidity"), " Feuchtigkeit");
    EXPECT_EQ(Translate("&Timer"), "&Timer");
    EXPECT_EQ(Translate("Not in the table"), "Not in the table");
}
