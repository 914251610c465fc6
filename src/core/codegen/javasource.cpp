#include "javasource.h"

#include "javalimits.h"
#include "windowobjects.h"

#include "../model/design.h"

namespace vap {

namespace {

/** Keeps the window-objects code by section, without the empty lines between them. */
class SectionCollector final : public LineSink {
public:
    void add(std::string line) override {
        std::vector<std::string> PastedSections::*parts[] = {
            &PastedSections::objects, &PastedSections::window, &PastedSections::controls};
        (sections.*parts[section_]).push_back(std::move(line));
    }
    void nextSection() override {
        if (section_ < 2)
            ++section_;
    }

    PastedSections sections;

private:
    int section_ = 0;
};

} // namespace

JavaSource composeJavaSource(const Design& design, const ExampleClassContext& context,
                             const std::string& className) {
    SectionCollector code;
    GeraObjetosJanela(design, context.comments, code);
    JavaSource source{className, exampleClassLines(design, context, className, &code.sections), {}};
    for (const JavaLimitProblem& problem : javaLimitProblems(design, context.lingua))
        source.refusals.push_back(javaLimitRefusal(problem));
    return source;
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
