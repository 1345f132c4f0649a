// One save of a 10 x 100 board: JsonWriter + GetText (laid out) + Md5Hex,
// against RapidJSON's writer + Md5Hex on the same content. Prints figures only.
#include <windows.h>

#include <cstdio>
#include <string>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "json/json_writer.h"
#include "model/md5.h"
#include "model/text.h"

namespace {

double Seconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string EntryPath(int category, int entry) {
    return "C:\\Program Files\\软件 " + std::to_string(category) + "\\工具" + std::to_string(entry) +
           "\\bin\\program.exe";
}

std::string SaveThroughJsonWriter() {
    orv::JsonWriter writer;
    if (!writer.Begin()) return {};
    writer.WriteKeyNumber("width", 500);
    writer.WriteKeyNumber("height", 400);
    writer.WriteKeyNumber("left", 100);
    writer.WriteKeyNumber("crown", 50);
    writer.WriteKeyBool("startup", 0);
    writer.StartArray("navigation");
    for (int c = 0; c < 10; ++c) {
        writer.StartObject();
        writer.WriteKeyString("name", "分组" + std::to_string(c));
        writer.StartArray("file");
        for (int e = 0; e < 100; ++e) {
            writer.StartObject();
            writer.WriteKeyString("name", "工具" + std::to_string(e));
            writer.WriteKeyString("address", EntryPath(c, e));
            writer.WriteKeyString("icon", "");
            writer.WriteKeyString("command", "");
            writer.WriteKeyBool("root_privilege", 0);
            writer.EndObject();
        }
        writer.EndArray();
        writer.EndObject();
    }
    writer.EndArray();
    return orv::Md5Hex(writer.GetText(false, true));
}

std::string SaveThroughRapidJson() {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    auto text = [&](const std::string& local) {
        const std::string utf8 = orv::LocalToUtf8(local);
        w.String(utf8.c_str(), static_cast<rapidjson::SizeType>(utf8.size()));
    };
    w.StartObject();
    w.Key("width"); w.Int(500);
    w.Key("height"); w.Int(400);
    w.Key("left"); w.Int(100);
    w.Key("crown"); w.Int(50);
    w.Key("startup"); w.Bool(false);
    w.Key("navigation"); w.StartArray();
    for (int c = 0; c < 10; ++c) {
        w.StartObject();
        w.Key("name"); text("分组" + std::to_string(c));
        w.Key("file"); w.StartArray();
        for (int e = 0; e < 100; ++e) {
            w.StartObject();
            w.Key("name"); text("工具" + std::to_string(e));
            w.Key("address"); text(EntryPath(c, e));
            w.Key("icon"); w.String("");
            w.Key("command"); w.String("");
            w.Key("root_privilege"); w.Bool(false);
            w.EndObject();
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return orv::Md5Hex(orv::Utf8ToLocal(buffer.GetString()));
}

template <typename Save>
double MillisecondsPerSave(int rounds, Save save, std::string& digest) {
    const double start = Seconds();
    for (int i = 0; i < rounds; ++i) digest = save();
    return (Seconds() - start) * 1000.0 / rounds;
}

}  // namespace

int main() {
    const int rounds = 50;
    std::string ours, raw;
    const double oursMs = MillisecondsPerSave(rounds, SaveThroughJsonWriter, ours);
    const double rawMs = MillisecondsPerSave(rounds, SaveThroughRapidJson, raw);
    std::printf("save of a 10 x 100 board, %d rounds\n", rounds);
    std::printf("JsonWriter+GetText+Md5Hex %8.3f ms   RapidJSON+Md5Hex %8.3f ms   ratio %.2fx\n", oursMs, rawMs,
                oursMs / rawMs);
    std::printf("ROW\tJsonWriter+GetText+Md5Hex, 10 x 100 vs RapidJSON+Md5Hex\t%.3f\t%.3f\tms\t1.5\n", oursMs, rawMs);
    std::printf("digests %s / %s (the laid-out text differs from the compact one)\n", ours.c_str(), raw.c_str());
    return 0;
}
