#include "windowobjects.h"

#include "javasyntax.h"

#include "../lang/texts3.h"
#include "../model/design.h"
#include "../model/error.h"
#include "../model/naming.h"

#include <charconv>
#include <optional>

namespace vap {

namespace {

constexpr Texts3 codeWindowCaption{"Código para a Geração da Janela",
                                   "Code for the Generation of the Window",
                                   "Codifique para Generación de Ventana"};

void appendNumber(std::string& line, std::int32_t value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    line.append(digits, end);
}

std::string concat(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (std::string_view piece : pieces)
        size += piece.size();
    std::string line;
    line.reserve(size);
    for (std::string_view piece : pieces)
        line += piece;
    return line;
}

std::string declaration(const Control& control) {
    std::string_view javaClass = kindInfo(control.kind()).javaClass;
    std::string line = concat({"private ", javaClass, " ", control.name(), " = new ", javaClass});
    if (hasJavaCaption(control.kind()))
        line += concat({"(\"", javaStringLiteralBody(control.caption()), "\");"});
    else
        line += "();";
    return line;
}

std::string rectangle(std::string_view target, const Control& control) {
    std::string line = concat({target, ".setBounds(new Rectangle("});
    appendNumber(line, control.left());
    line += ", ";
    appendNumber(line, control.top());
    line += ", ";
    appendNumber(line, control.width());
    line += ", ";
    appendNumber(line, control.height());
    line += "));";
    return line;
}

/** The number N of a name jScrollPaneN, as the generator names the scroll pane of a list. */
std::optional<std::size_t> scrollPaneNumber(std::string_view name) {
    constexpr std::string_view prefix = "jScrollPane";
    if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size() ||
        name[prefix.size()] == '0')
        return std::nullopt;
    std::size_t number = 0;
    auto [end, error] =
        std::from_chars(name.data() + prefix.size(), name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size())
        return std::nullopt;
    return number;
}

} // namespace

void checkWindowObjectNames(const Design& design) {
    std::size_t lists = 0;
    for (const auto& control : design.controls())
        lists += control->kind() == ControlKind::List;
    for (const auto& control : design.controls()) {
        const std::string& name = control->name();
        if (!isValidComponentName(name))
            throw Error(invalidNameMessage(name));
        if (name == "System")
            throw Error("A component named System hides the class System that the example "
                        "class calls");
        if (auto number = scrollPaneNumber(name); number && *number <= lists)
            throw Error("A component named " + name +
                        " clashes with the scroll pane of a list in the generated Java");
    }
}

namespace {

class WindowObjectsWriter {
public:
    WindowObjectsWriter(const Design& design, const CommentTexts& comments, LineSink& sink)
        : design_(design), comments_(comments), sink_(sink) {}

    void write() {
        checkWindowObjectNames(design_);
        writeDeclarations();
        writeWindowSetUp();
        writeControls();
    }

private:
    void writeDeclarations() {
        sink_.add(comments_.objectsSection);
        int scrollPane = 0;
        for (const auto& control : design_.controls()) {
            sink_.add(declaration(*control));
            if (control->kind() == ControlKind::List)
                sink_.add(concat({"private JScrollPane jScrollPane", std::to_string(++scrollPane),
                                  " = new JScrollPane();"}));
        }
    }

    void writeWindowSetUp() {
        const DesignWindow& window = design_.window();
        sink_.nextSection();
        sink_.add(comments_.windowSection);
        sink_.add("this.getContentPane().setLayout(null);");
        std::string size = "this.setSize(";
        appendNumber(size, window.width);
        size += ", ";
        appendNumber(size, window.height);
        size += ");";
        sink_.add(std::move(size));
        sink_.add(concat({"this.setTitle(\"", javaStringLiteralBody(window.caption), "\");"}));
        sink_.add(window.resizable ? "this.setResizable(true);" : "this.setResizable(false);");
        if (window.modal)
            sink_.add("this.setModal(true);");
    }

    void writeControls() {
        sink_.nextSection();
        sink_.add(comments_.controlsSection);
        int scrollPane = 0;
        for (const auto& control : design_.controls()) {
            writeToolTip(*control);
            if (control->kind() == ControlKind::List)
                writeListPlacement(*control, ++scrollPane);
            else
                writePlacement(*control);
            writeListeners(*control);
        }
    }

    void writeToolTip(const Control& control) {
        if (isBlankText(control.hint()))
            return;
        sink_.add(concat(
            {control.name(), ".setToolTipText(\"", javaStringLiteralBody(control.hint()), "\");"}));
    }

    void writePlacement(const Control& control) {
        sink_.add(rectangle(control.name(), control));
        sink_.add(concat({"this.getContentPane().add(", control.name(), ", null);"}));
    }

    void writeListPlacement(const Control& control, int scrollPane) {
        std::string pane = "jScrollPane" + std::to_string(scrollPane);
        sink_.add(rectangle(pane, control));
        sink_.add(concat({pane, ".getViewport().add(", control.name(), ", null);"}));
        sink_.add(concat({"this.getContentPane().add(", pane, ", null);"}));
    }

    void writeListeners(const Control& control) {
        if (control.tag() <= 0)
            return;
        EventChoice events = decodeEventMask(control.tag());
        for (JavaEvent event : eventsHeaviestFirst) {
            if (events.has(event) && hasListenerBlock(control.kind(), event))
                writeListener(control, listenerSyntax(event));
        }
    }

    void writeListener(const Control& control, const ListenerSyntax& syntax) {
        sink_.add(concat(
            {control.name(), ".add", syntax.kind, "Listener (new ", syntax.adapter, "() {"}));
        sink_.add(concat({"  public void ", syntax.method, "(", syntax.eventType, "Event e) {"}));
        sink_.add(comments_.listenerBody);
        sink_.add("}});");
    }

    const Design& design_;
    const CommentTexts& comments_;
    LineSink& sink_;
};

} // namespace

std::optional<std::string> windowObjectsCaption(LanguageCode lingua) {
    if (auto caption = codeWindowCaption.pick(lingua))
        return std::string(*caption);
    return std::nullopt;
}

void GeraObjetosJanela(const Design& design, const CommentTexts& comments, LineSink& sink) {
    WindowObjectsWriter(design, comments, sink).write();
}

} // namespace vap
