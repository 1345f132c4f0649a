// treedoc against RapidJSON used directly, on the same input in the same run:
// parsing a board-sized text and writing it again. Prints figures only.
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "treedoc_api.h"

namespace {

// <chrono> does not build with the code page 936 execution character set.
double Now() {
    std::timespec now{};
    std::timespec_get(&now, TIME_UTC);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string BoardText() {
    std::string text = "{\"width\":500,\"height\":400,\"left\":100,\"crown\":50,\"startup\":false,\"navigation\":[";
    for (int c = 0; c < 10; ++c) {
        text += (c ? ",{" : "{") + std::string("\"name\":\"Category ") + std::to_string(c) + "\",\"file\":[";
        for (int e = 0; e < 100; ++e) {
            text += e ? "," : "";
            text += "{\"name\":\"Program " + std::to_string(e) +
                    "\",\"address\":\"C:\\\\Program Files\\\\Vendor " + std::to_string(e) +
                    "\\\\bin\\\\program.exe\",\"icon\":\"\",\"command\":\"\",\"root_privilege\":false}";
        }
        text += "]}";
    }
    return text + "]}";
}

// The fastest of seven batches of rounds each, the two bodies' batches taken
// in turn: on a shared machine the slower batches measure the other work,
// and taking turns puts a busy moment on both.
template <typename Ours, typename Raw>
std::pair<double, double> Seconds(int rounds, Ours ours, Raw raw) {
    double bestOurs = 0, bestRaw = 0;
    for (int batch = 0; batch < 7; ++batch) {
        double start = Now();
        for (int i = 0; i < rounds; ++i) ours();
        const double tookOurs = Now() - start;
        start = Now();
        for (int i = 0; i < rounds; ++i) raw();
        const double tookRaw = Now() - start;
        if (batch == 0 || tookOurs < bestOurs) bestOurs = tookOurs;
        if (batch == 0 || tookRaw < bestRaw) bestRaw = tookRaw;
    }
    return {bestOurs, bestRaw};
}

// A human line and a ROW line (label, ours, baseline, unit, target ratio)
// for scripts/bench.sh.
void Report(const char* what, double ours, double raw, double megabytes, int rounds) {
    std::printf("%-6s treedoc %8.1f MB/s   rapidjson %8.1f MB/s   ratio %.2fx (target <= 1.25x)\n", what,
                megabytes / ours, megabytes / raw, ours / raw);
    std::printf("ROW\ttreedoc %s of a 10 x 100 board vs RapidJSON\t%.3f\t%.3f\tms\t1.25\n", what,
                ours * 1000.0 / rounds, raw * 1000.0 / rounds);
}

// The board written front to back, through the given writer calls.
template <typename Writer>
void WriteBoard(Writer& w) {
    w.StartObject();
    w.Key("width"); w.Int(500);
    w.Key("height"); w.Int(400);
    w.Key("navigation"); w.StartArray();
    for (int c = 0; c < 10; ++c) {
        w.StartObject();
        w.Key("name"); w.String("Category");
        w.Key("file"); w.StartArray();
        for (int e = 0; e < 100; ++e) {
            w.StartObject();
            w.Key("name"); w.String("Program");
            w.Key("address"); w.String("C:\\Program Files\\Vendor\\bin\\program.exe");
            w.Key("root_privilege"); w.Bool(false);
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

// The same calls against the library's C interface.
struct TreedocCalls {
    int32_t writer;
    const char* key = nullptr;
    void Key(const char* k) { key = k; }
    const char* Take() { return std::exchange(key, nullptr); }
    void StartObject() { start_object(writer, Take()); }
    void EndObject() { end_object(writer); }
    void StartArray() { start_array(writer, Take()); }
    void EndArray() { end_array(writer); }
    void Int(int v) { set_key_int(writer, Take(), v); }
    void Bool(bool v) { set_key_bool(writer, Take(), v); }
    void String(const char* v) { set_key_string(writer, Take(), v); }
};

}  // namespace

int main() {
    const std::string text = BoardText();
    const int rounds = 100;
    const double megabytes = static_cast<double>(text.size()) * rounds / 1e6;

    size_t sink = 0;
    const auto [ours, raw] = Seconds(
        rounds,
        [&] {
            const int32_t document = parse(text.c_str());
            sink += document > 0 ? 1 : 0;
            free_(document);
        },
        [&] {
            rapidjson::Document document;
            document.Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag>(text.c_str());
            sink += document.HasParseError() ? 0 : 1;
        });
    std::printf("input %zu bytes, %d rounds\n", text.size(), rounds);
    Report("parse", ours, raw, megabytes, rounds);

    size_t written = 0;
    const auto [oursWrite, rawWrite] = Seconds(
        rounds,
        [&] {
            const int32_t buffer = new_buffer();
            TreedocCalls calls{new_writer(buffer)};
            WriteBoard(calls);
            sink += std::string_view(get_all_string(buffer)).size();
            delete_writer(calls.writer);
            delete_buffer(buffer);
        },
        [&] {
            rapidjson::StringBuffer buffer;
            rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
            WriteBoard(writer);
            written = buffer.GetSize();
        });
    Report("write", oursWrite, rawWrite, static_cast<double>(written) * rounds / 1e6, rounds);
    return sink == 0 ? 1 : 0;
}
