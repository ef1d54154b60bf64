#include "calibration_description.h"

#include "tempcore.h"

#include <map>
#include <sstream>

namespace calibration {
namespace {

struct Section {
    std::string name;
    std::map<std::string, std::string> values;
    int line = 0;
};

std::string trim(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) {
        return "";
    }
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

bool parse_sections(const std::string& description, std::vector<Section>* sections,
                    std::string* error)
{
    std::istringstream in(description);
    std::string line;
    std::string* last_value = nullptr;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        if (trim(line).empty()) {
            continue;
        }
        if (line[0] == ' ' || line[0] == '\t') {
            if (last_value == nullptr) {
                *error = "line " + std::to_string(number) + ": continuation without a value";
                return false;
            }
            *last_value += " " + trim(line);
            continue;
        }
        std::string text = trim(line);
        if (text.front() == '[') {
            if (text.back() != ']') {
                *error = "line " + std::to_string(number) + ": unclosed section";
                return false;
            }
            sections->push_back(Section{trim(text.substr(1, text.size() - 2)), {}, number});
            last_value = nullptr;
            continue;
        }
        std::size_t equals = text.find('=');
        if (equals == std::string::npos || sections->empty()) {
            *error = "line " + std::to_string(number) + ": expected key = value in a section";
            return false;
        }
        std::string& value = sections->back().values[trim(text.substr(0, equals))];
        value = trim(text.substr(equals + 1));
        last_value = &value;
    }
    return true;
}

// "range lens=0 environment=1 id=0" -> {lens: 0, environment: 1, id: 0}
std::map<std::string, long> section_arguments(const std::string& name)
{
    std::map<std::string, long> arguments;
    std::istringstream in(name);
    std::string word;
    in >> word;
    while (in >> word) {
        std::size_t equals = word.find('=');
        if (equals != std::string::npos) {
            arguments[word.substr(0, equals)] = std::strtol(word.c_str() + equals + 1, nullptr, 10);
        }
    }
    return arguments;
}

bool number(const Section& section, const char* key, double* out, std::string* error)
{
    auto it = section.values.find(key);
    if (it == section.values.end()) {
        *error = "section [" + section.name + "]: missing " + key;
        return false;
    }
    char* end = nullptr;
    *out = std::strtod(it->second.c_str(), &end);
    if (end == it->second.c_str() || *end != '\0') {
        *error = "section [" + section.name + "]: " + key + " is not a number";
        return false;
    }
    return true;
}

class Engine {
public:
    Engine() { vy_at_init(&handle_); }
    ~Engine() { vy_at_uninit(&handle_); }
    void* handle() const { return handle_; }

private:
    void* handle_ = nullptr;
};

bool apply_range(void* h, const Section& section, std::string* error)
{
    std::map<std::string, long> args = section_arguments(section.name);
    if (args.count("lens") == 0 || args.count("environment") == 0 || args.count("id") == 0) {
        *error = "section [" + section.name + "]: needs lens=, environment= and id=";
        return false;
    }
    int lens = static_cast<int>(args["lens"]);
    int range = static_cast<int>(args["id"]);
    double detector, compensation, min, max, first, last;
    if (!number(section, "detector_temp", &detector, error) ||
        !number(section, "base_ad_compensation", &compensation, error) ||
        !number(section, "min", &min, error) || !number(section, "max", &max, error) ||
        !number(section, "first", &first, error) || !number(section, "last", &last, error)) {
        return false;
    }
    std::vector<uint16_t> samples;
    auto it = section.values.find("samples");
    if (it != section.values.end()) {
        std::istringstream in(it->second);
        long value;
        while (in >> value) {
            if (value < 0 || value > 65535) {
                *error = "section [" + section.name + "]: sample out of 0..65535";
                return false;
            }
            samples.push_back(static_cast<uint16_t>(value));
        }
        if (!in.eof() || samples.size() > 255) {
            *error = "section [" + section.name + "]: samples must be up to 255 whole numbers";
            return false;
        }
    }
    bool ok = vy_at_set_calibrate_enviroment(h, static_cast<int>(args["environment"])) &&
              vy_at_add_len_and_meas_range(h, lens, range) &&
              vy_at_set_sample_data(h, lens, range, static_cast<int16_t>(first),
                                    static_cast<int16_t>(last),
                                    static_cast<unsigned char>(samples.size()), samples.data()) &&
              vy_at_set_sample_range(h, lens, range, static_cast<int16_t>(min),
                                     static_cast<int16_t>(max)) &&
              vy_at_set_base_ad_compensation(h, lens, range, static_cast<int16_t>(compensation)) &&
              vy_at_set_detector_temp_when_calibrate(h, lens, range, static_cast<float>(detector));
    if (!ok) {
        *error = "section [" + section.name + "]: refused by the calibration engine";
    }
    return ok;
}

}  // namespace

std::string detector_value(const std::string& description, const std::string& key)
{
    std::vector<Section> sections;
    std::string error;
    if (!parse_sections(description, &sections, &error)) {
        return "";
    }
    for (const Section& section : sections) {
        auto it = section.values.find(key);
        if (section.name == "detector" && it != section.values.end()) {
            return it->second;
        }
    }
    return "";
}

bool build_calibration_data(const std::string& description, const std::string& script,
                            std::vector<uint8_t>* out, std::string* error)
{
    std::vector<Section> sections;
    if (!parse_sections(description, &sections, error)) {
        return false;
    }
    Engine engine;
    void* h = engine.handle();
    if (h == nullptr) {
        *error = "cannot create the calibration engine";
        return false;
    }
    // Ranges first: a lens's texts are set in every environment that holds it.
    for (const Section& section : sections) {
        if (section.name.rfind("range", 0) == 0 && !apply_range(h, section, error)) {
            return false;
        }
    }
    for (const Section& section : sections) {
        if (section.name == "detector") {
            const auto& v = section.values;
            auto text = [&](const char* key) {
                auto it = v.find(key);
                return it != v.end() ? it->second : std::string();
            };
            double type = 1;
            double prefix = 0;
            if ((v.count("detector_type") && !number(section, "detector_type", &type, error)) ||
                (v.count("version_prefix") && !number(section, "version_prefix", &prefix, error))) {
                return false;
            }
            if (!vy_at_set_productor(h, text("productor").c_str()) ||
                !vy_at_set_mac_type(h, text("machine_type").c_str()) ||
                !vy_at_set_mac_sn(h, text("machine_sn").c_str()) ||
                !vy_at_set_detector_sn(h, text("detector_sn").c_str()) ||
                !vy_at_set_product_date_time(h, text("date_time").c_str())) {
                *error = "[detector]: a text is longer than its field";
                return false;
            }
            vy_at_set_detector_type(h, static_cast<IRDetectorType>(type));
            vy_at_set_version_prefix(h, static_cast<int>(prefix));
        } else if (section.name.rfind("lens", 0) == 0) {
            int lens = static_cast<int>(std::strtol(section.name.c_str() + 4, nullptr, 10));
            auto serial = section.values.find("serial");
            auto text = section.values.find("description");
            double drift = 0;
            if (section.values.count("drift") && !number(section, "drift", &drift, error)) {
                return false;
            }
            if (!vy_at_set_len_sn_and_des(h, lens,
                                          serial != section.values.end() ? serial->second.c_str() : "",
                                          text != section.values.end() ? text->second.c_str() : "") ||
                !vy_at_set_len_temp_drift_compensation_coff(h, lens, static_cast<float>(drift))) {
                *error = "section [" + section.name + "]: refused (no ranges, or a text too long)";
                return false;
            }
        } else if (section.name.rfind("range", 0) != 0) {
            *error = "unknown section [" + section.name + "]";
            return false;
        }
    }
    if (!vy_at_set_script_data(h, script.data(), static_cast<int>(script.size()))) {
        *error = "the calibration script was refused (see the log)";
        return false;
    }
    int length = 0;
    if (!vy_at_save_calibrate_data_to_buffer(h, nullptr, &length)) {
        *error = "the calibration data could not be written (see the log)";
        return false;
    }
    out->resize(static_cast<std::size_t>(length));
    if (!vy_at_save_calibrate_data_to_buffer(h, out->data(), &length)) {
        *error = "the calibration data could not be written (see the log)";
        return false;
    }
    return true;
}

}  // namespace calibration
