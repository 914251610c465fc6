#include "benchdesigns.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/support/controls.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace vapbench {

namespace {

/** A small, fast generator; the figures must not depend on the library's engines. */
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 1) {}
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    /** A value from 0 to bound - 1. */
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(below(static_cast<std::uint32_t>(high - low + 1)));
    }
    template <class T, std::size_t N> const T& pick(const std::array<T, N>& items) {
        return items[below(N)];
    }

private:
    std::uint64_t state_;
};

constexpr std::array<std::string_view, 6> namePrefixes{"lbl", "txt", "pwd", "btn", "lst", "cbo"};

constexpr std::array<std::string_view, 32> nameWords{
    "Customer", "Name",     "Address", "City",     "ZipCode", "Phone",   "Email",    "Total",
    "Amount",   "Date",     "Status",  "Notes",    "Order",   "Product", "Quantity", "Price",
    "Discount", "Password", "User",    "Login",    "Search",  "Save",    "Cancel",   "Ok",
    "Delete",   "Print",    "Country", "Category", "Invoice", "Payment", "Account",  "Birth"};

constexpr std::array<std::string_view, 24> captions{"Nome:",
                                                    "Endereço completo:",
                                                    "Cidade",
                                                    "CEP:",
                                                    "Telefone comercial:",
                                                    "E-mail",
                                                    "Salvar",
                                                    "Cancelar",
                                                    "OK",
                                                    "Excluir registro",
                                                    "Imprimir relatório",
                                                    "Data de nascimento:",
                                                    "Preço unitário (R$):",
                                                    "Quantidade",
                                                    "Observações",
                                                    "Descrição do produto:",
                                                    "Número do pedido",
                                                    "Situação",
                                                    "Customer name:",
                                                    "Search",
                                                    "Confirm password:",
                                                    "Total amount due",
                                                    "Say \"hello\"",
                                                    "C:\\dados\\clientes"};

constexpr std::array<std::string_view, 20> hints{"",
                                                 "",
                                                 "",
                                                 "   ",
                                                 "Digite o nome completo do cliente",
                                                 "Informe o endereço com número e complemento",
                                                 "Somente números",
                                                 "Clique para gravar as alterações",
                                                 "Fecha a janela sem gravar",
                                                 "Escolha a cidade na lista",
                                                 "Formato: dd/mm/aaaa",
                                                 " Valor em reais, com duas casas decimais ",
                                                 "Type the customer's e-mail address",
                                                 "Press to print the current report",
                                                 "At least eight characters, one of them a digit",
                                                 "Select one or more categories",
                                                 "Use \"quotes\" for exact phrases",
                                                 "Código do produto no catálogo",
                                                 "Observações internas, não impressas",
                                                 "Ctrl+F"};

std::string controlName(Random& random, int index, vap::ControlKind kind) {
    std::string name(namePrefixes[vap::kindIndex(kind)]);
    name += random.pick(nameWords);
    if (random.below(2) == 0)
        name += random.pick(nameWords);
    name += '_';
    name += std::to_string(index + 1);
    return name;
}

vaptest::ControlValues controlValues(Random& random) {
    vaptest::ControlValues values;
    values.caption = std::string(random.pick(captions));
    values.hint = std::string(random.pick(hints));
    values.left = random.between(-20, 900);
    values.top = random.between(-10, 700);
    values.width = random.between(20, 400);
    values.height = random.between(10, 300);
    values.tag = random.between(0, 31);
    return values;
}

void setWindow(vap::Design& design) {
    design.setCaption("Cadastro de Clientes e Pedidos");
    design.setJavaClassName("CadastroClientes");
    design.setWindowLeft(120);
    design.setWindowTop(80);
    design.setWindowWidth(1024);
    design.setWindowHeight(768);
    design.setResizable(true);
}

} // namespace

void fillDesign(vap::Design& design, int controls, std::uint64_t seed) {
    Random random(seed);
    setWindow(design);
    // Made unlisted, named, then listed in one step, as the loader does: renaming a listed
    // control re-sorts the whole object list, which a design of this size cannot afford.
    std::vector<vap::Control*> made;
    made.reserve(static_cast<std::size_t>(controls));
    for (int i = 0; i < controls; ++i) {
        vap::ControlKind kind = vap::allControlKinds[static_cast<std::size_t>(i) % 6];
        std::string name =
            controlName(random, i, kind); // drawn first, as the figures' designs were
        vaptest::ControlValues values = controlValues(random);
        vap::Control& control = vap::createOfKind(design, kind, false);
        design.rename(control, name);
        vaptest::setValues(design, control, values);
        made.push_back(&control);
    }
    design.listControls(made);
}

void fillDesignListed(vap::Design& design, int controls, std::uint64_t seed) {
    Random random(seed);
    setWindow(design);
    for (int i = 0; i < controls; ++i) {
        vap::ControlKind kind = vap::allControlKinds[static_cast<std::size_t>(i) % 6];
        std::string name =
            controlName(random, i, kind); // drawn first, as the figures' designs were
        vaptest::ControlValues values = controlValues(random);
        vap::Control& control = vap::createOfKind(design, kind, true);
        design.rename(control, name);
        vaptest::setValues(design, control, values);
    }
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vapbench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder under " + pattern);
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::file(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
}

const ScratchDir& scratch() {
    static ScratchDir dir;
    return dir;
}

std::size_t textBytes(const std::vector<std::string>& lines) {
    std::size_t bytes = 0;
    for (const std::string& line : lines)
        bytes += line.size() + 2;
    return bytes;
}

const BenchDesign& benchDesign(int controls) {
    static std::map<int, BenchDesign> built;
    auto found = built.find(controls);
    if (found != built.end())
        return found->second;

    BenchDesign result;
    result.controls = controls;
    result.design = std::make_unique<vap::Design>();
    fillDesign(*result.design, controls);
    result.names.reserve(static_cast<std::size_t>(controls));
    for (const auto& control : result.design->controls())
        result.names.push_back(control->name());

    vap::LineCollector code;
    vap::GeraObjetosJanela(*result.design, vap::commentTextsFor(vap::Language::Portuguese), code);
    result.javaBytes = textBytes(code.lines);
    result.javaLines = code.lines.size();

    result.vapPath = scratch().file("design" + std::to_string(controls) + ".vap");
    vap::GravaJanela(*result.design, result.vapPath);
    result.vapBytes = static_cast<std::size_t>(std::filesystem::file_size(result.vapPath));

    return built.emplace(controls, std::move(result)).first->second;
}

} // namespace vapbench
