#include "javasource.h"

#include "javalimits.h"
#include "windowobjects.h"

#include "../model/design.h"
#include "../model/error.h"

namespace vap {

namespace {

/**
 * Passes the window-objects code on, and the example class's lines between its sections in place
 * of the empty line between them, so that the sections land on the class's placeholders.
 */
class PastingSink final : public LineSink {
public:
    PastingSink(LineSink& sink, ExampleClassPieces& pieces) : sink_(sink), pieces_(pieces) {}

    void add(std::string line) override { sink_.add(std::move(line)); }
    void nextSection() override {
        if (piece_ < 2)
            put(++piece_);
    }
    /** Hands on the class's lines of the piece, which are not needed again. */
    void put(std::size_t piece) {
        for (std::string& line : pieces_[piece])
            sink_.add(std::move(line));
    }

private:
    LineSink& sink_;
    ExampleClassPieces& pieces_;
    std::size_t piece_ = 0;
};

std::vector<std::string> refusalsOf(const Design& design, LanguageCode lingua) {
    std::vector<std::string> refusals;
    for (const JavaLimitProblem& problem : javaLimitProblems(design, lingua))
        refusals.push_back(javaLimitRefusal(problem));
    return refusals;
}

} // namespace

void writeJavaSource(const Design& design, const ExampleClassContext& context,
                     const std::string& className, LineSink& sink) {
    checkWindowObjectNames(design);
    ExampleClassPieces pieces = exampleClassPieces(design, context, className);
    PastingSink pasting(sink, pieces);
    pasting.put(0);
    GeraObjetosJanela(design, context.comments, pasting);
    pasting.put(3);
}

JavaSource composeJavaSource(const Design& design, const ExampleClassContext& context,
                             const std::string& className) {
    LineCollector lines;
    writeJavaSource(design, context, className, lines);
    return {className, std::move(lines.lines), refusalsOf(design, context.lingua)};
}

void checkJavaSource(const Design& design, const ExampleClassContext& context,
                     const std::string& className) {
    checkWindowObjectNames(design);
    checkExampleClassName(className, context.lingua);
    if (std::vector<std::string> refusals = refusalsOf(design, context.lingua); !refusals.empty())
        throw Error(refusals.front());
}

std::string javaSourceClassName(const Design& design, LanguageCode lingua,
                                const std::optional<std::string>& given) {
    if (given)
        return *given;
    if (!design.window().JavaClassName.empty())
        return design.window().JavaClassName;
    return defaultClassName(lingua).value_or(*defaultClassName(Language::Portuguese));
}

} // namespace vap
