// Speed of the XML layer against expat alone, and load/save of a notes file.
// Built optimised and without sanitizers by tests/native (target xml_bench).
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <expat.h>

#include "Row.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace util::xml;
using Clock = std::chrono::steady_clock;

namespace {

const int RUNS = 7;
const int PAIRED_RUNS = 15;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeMs(const std::function<void()>& run)
{
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Median time of run(); prepare() runs untimed before each run.
double medianMs(
    const std::function<void()>& run, const std::function<void()>& prepare = [] {})
{
    std::vector<double> times;
    for (int i = 0; i < RUNS; ++i) {
        prepare();
        times.push_back(timeMs(run));
    }
    return median(times);
}

// A DATABASE of ENTRY elements with umlaut text, about targetBytes long.
std::string makeDocument(std::size_t targetBytes)
{
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DATABASE>\n";
    for (int id = 1; doc.size() < targetBytes; ++id) {
        const std::string n = std::to_string(id);
        doc += "  <ENTRY _id_=\"" + n +
               "\" date=\"03/14/2004 09:05:00\" notify=\"0\" "
               "text=\"Gr\xC3\xBC\xC3\x9F\x65 an M\xC3\xBCller_BR_Eintrag " +
               n +
               "\" wndX=\"640\" wndY=\"120\">Sch\xC3\xB6ne Gr\xC3\xBC\xC3\x9F\x65 aus "
               "K\xC3\xB6ln, \xC3\x84pfel &amp; Birnen f\xC3\xBCr alle &lt;Nr. " +
               n + "&gt;</ENTRY>\n";
    }
    return doc + "</DATABASE>\n";
}

void XMLCALL noStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL noEnd(void*, const XML_Char*) {}
void XMLCALL noText(void*, const XML_Char*, int) {}

void expatAlone(const std::string& doc)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetElementHandler(parser, noStart, noEnd);
    XML_SetCharacterDataHandler(parser, noText);
    if (XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), XML_TRUE) != XML_STATUS_OK)
        std::fprintf(stderr, "expat failed\n");
    XML_ParserFree(parser);
}

std::unique_ptr<XmlElement> makeNotes(int count)
{
    auto root = std::make_unique<XmlElement>("DATABASE");
    for (int i = 1; i <= count; ++i) {
        auto entry = std::make_unique<XmlElement>("ENTRY");
        entry->setAttribute("_id_", i);
        entry->setAttribute("date", "03/14/2004 09:05:00");
        entry->setAttribute("text", "Milch & Brot kaufen_BR_Gr\u00fc\u00dfe an " + std::to_string(i));
        entry->setAttribute("wndX", 640);
        entry->setAttribute("wndY", 120);
        root->addChild(std::move(entry));
    }
    return root;
}

}  // namespace

int main()
{
    const std::string doc = makeDocument(5 * 1024 * 1024);
    const double mb = static_cast<double>(doc.size()) / (1024.0 * 1024.0);

    // Expat alone and the layer take turns, so that both see the same load of
    // a shared machine and their ratio is measured pair by pair.
    std::unique_ptr<XmlElement> tree;
    std::vector<double> expatTimes, layerTimes, ratios;
    for (int i = 0; i < PAIRED_RUNS; ++i) {
        const double expatMs = timeMs([&] { expatAlone(doc); });
        tree.reset();  // the previous tree is freed outside the measured time
        const double layerMs = timeMs([&] { tree = XmlParser().parseBuffer(doc.data(), doc.size()); });
        expatTimes.push_back(expatMs);
        layerTimes.push_back(layerMs);
        ratios.push_back(expatMs / layerMs);
    }
    const double freeMs =
        medianMs([&] { tree.reset(); }, [&] { tree = XmlParser().parseBuffer(doc.data(), doc.size()); });
    tree.reset();

    const double expatMs = median(expatTimes);
    const double layerMs = median(layerTimes);
    std::printf("document: %.2f MB, %d runs each, taking turns\n", mb, PAIRED_RUNS);
    std::printf("expat alone (empty handlers): median %.1f ms (%.0f MB/s)\n", expatMs, mb / expatMs * 1000.0);
    std::printf("XmlParser::parseBuffer:       median %.1f ms (%.0f MB/s)\n", layerMs, mb / layerMs * 1000.0);
    std::printf("freeing the tree:             median %.1f ms\n", freeMs);
    std::printf("layer speed / expat speed:    median %.2f of the pairs (goal >= 0.70)\n", median(ratios));
    Row("xml_ratio", median(ratios), "x", "parseBuffer %.1f ms, expat alone %.1f ms, %.2f MB, native", layerMs,
        expatMs, mb);

    const auto path = (std::filesystem::temp_directory_path() / "zorla_xml_bench_notes").string();
    auto notes = makeNotes(10000);
    const double saveMs = medianMs([&] {
        XmlWriter writer(path);
        writer.writeDocument(*notes);
        writer.close();
    });
    const double loadMs = medianMs([&] { XmlParser().parseFile(path); });
    std::printf("10,000 notes (%.2f MB): save median %.1f ms, load median %.1f ms\n",
                static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0), saveMs, loadMs);
    Row("notes_save_load", saveMs + loadMs, "ms", "save %.1f ms + load %.1f ms, XML layer, native", saveMs, loadMs);
    std::filesystem::remove(path);
    return 0;
}
