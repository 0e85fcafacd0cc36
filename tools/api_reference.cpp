// Writes the script API reference, in Markdown, from the binding tables themselves: a VM gets
// every registration the engine makes, and each class, table, function and constant they create
// is listed with its parameter count and type mask.
//
//   tarn_api_reference OUTPUT.md
#include <squirrel.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/script_api.hpp"
#include "app/singletons.hpp"
#include "script/binding.hpp"
#include "script/script_host.hpp"

namespace tarn {
namespace {

constexpr const char* kIntroduction =
    "# Script API reference\n"
    "\n"
    "Made from the engine's binding tables by `tarn_api_reference` (`make api-reference`\n"
    "writes this file); do not edit it by hand.\n"
    "\n"
    "Parameter counts include `this`; -n means at least n, and 0 with no type mask checks\n"
    "nothing. A type mask has one group of Squirrel type letters per parameter, `this` first:\n"
    "`o` null, `i` integer, `f` float, `n` integer or float, `s` string, `t` table, `a` array,\n"
    "`u` userdata, `c` closure, `b` bool, `g` generator, `p` user pointer, `v` thread,\n"
    "`x` instance, `y` class, `r` weak reference, `.` anything; `|` separates the letters a\n"
    "parameter may take.\n";

struct Function {
    std::string name;
    SQInteger param_count;
    std::string type_mask;
};

struct Constant {
    std::string name;
    std::string value;
};

// A table or class and what was bound in it, in binding order.
struct Container {
    Container(ScriptObject container, std::string container_name, std::string base_name = {})
        : object(std::move(container)),
          name(std::move(container_name)),
          base(std::move(base_name)) {}

    ScriptObject object;
    std::string name;
    std::string base;  // empty when it extends nothing
    std::vector<Function> functions;
    std::vector<Constant> constants;

    bool is_class() const { return object.type() == OT_CLASS; }
    bool empty() const { return functions.empty() && constants.empty(); }
};

class ReferenceBuilder final : public BindingListener {
public:
    explicit ReferenceBuilder(HSQUIRRELVM vm) {
        containers_.emplace_back(root_table(vm), "Global functions");
        containers_.emplace_back(const_table(vm), "Constants");
    }

    void container_created(const ScriptObject& container, const char* name,
                           const ScriptObject* base) override {
        containers_.emplace_back(container, name, base ? find(*base).name : std::string());
    }
    void function_bound(const ScriptObject& target, const NativeFunction& function) override {
        find(target).functions.push_back(
            {function.name, function.param_count, function.type_mask ? function.type_mask : ""});
    }
    void constant_bound(const ScriptObject& target, const char* name,
                        const std::string& value) override {
        find(target).constants.push_back({name, value});
    }

    // Tables first (the global functions after the named ones), then classes in the order they
    // were made, then the constants.
    void write(std::ostream& out) const {
        out << kIntroduction;
        for (std::size_t i = 2; i < containers_.size(); ++i) {
            if (!containers_[i].is_class() && !containers_[i].empty())
                write_table(out, containers_[i]);
        }
        write_table(out, containers_[0]);
        out << "\n## Classes\n";
        for (const Container& container : containers_) {
            if (container.is_class())
                write_class(out, container);
        }
        write_table(out, containers_[1]);
    }

private:
    Container& find(const ScriptObject& object) {
        for (Container& container : containers_) {
            if (container.object.same_as(object))
                return container;
        }
        containers_.emplace_back(object, "(unnamed)");
        return containers_.back();
    }

    static void write_table(std::ostream& out, const Container& table) {
        out << "\n## " << table.name << "\n";
        write_members(out, table);
    }

    static void write_class(std::ostream& out, const Container& cls) {
        out << "\n### " << cls.name << "\n\n";
        if (cls.base.empty())
            out << "Extends nothing.\n";
        else
            out << "Extends `" << cls.base << "`.\n";
        write_members(out, cls);
    }

    static void write_members(std::ostream& out, const Container& container) {
        if (!container.functions.empty()) {
            out << "\n| Function | Parameters | Type mask |\n|---|---|---|\n";
            for (const Function& f : container.functions) {
                out << "| `" << f.name << "` | " << f.param_count << " | " << code_cell(f.type_mask)
                    << " |\n";
            }
        }
        if (!container.constants.empty()) {
            out << "\n| Constant | Value |\n|---|---|\n";
            for (const Constant& c : container.constants)
                out << "| `" << c.name << "` | " << code_cell(c.value) << " |\n";
        }
    }

    // text as code in a table cell: a pipe would end the cell, so it is escaped.
    static std::string code_cell(const std::string& text) {
        if (text.empty())
            return "";
        std::string cell = "`";
        for (char c : text) {
            if (c == '|')
                cell += '\\';
            cell += c;
        }
        return cell + '`';
    }

    std::vector<Container> containers_;
};

}  // namespace
}  // namespace tarn

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.md\n", argv[0]);
        return 2;
    }
    tarn::create_singletons();
    // The host is started bare, so that the builder hears every engine registration.
    tarn::ScriptHost host;
    host.start({});
    tarn::ReferenceBuilder builder(host.vm());
    tarn::set_binding_listener(host.vm(), &builder);
    for (tarn::ScriptRegistration registration : tarn::engine_registrations())
        registration(host.vm());
    tarn::set_binding_listener(host.vm(), nullptr);
    std::ofstream out(argv[1], std::ios::binary);
    builder.write(out);
    if (!out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
