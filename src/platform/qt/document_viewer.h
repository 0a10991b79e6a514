#pragma once
// Shows a text file (the set-up printout, the help documents) in the desktop's text viewer.
#include <string>
#include <utility>
#include <vector>

namespace mmx {

class DocumentViewer {
public:
    virtual ~DocumentViewer() = default;
    // Starts the viewer and returns at once; false when no viewer could be started (the viewer
    // reports a missing file itself).
    virtual bool show(const std::string& path) = 0;
};

// Starts a viewer program with the path as its one argument, never through a shell, so
// blanks and shell characters in the path reach the viewer as they are.
class DesktopDocumentViewer final : public DocumentViewer {
public:
    explicit DesktopDocumentViewer(std::string program = "xdg-open") : program_(std::move(program)) {}
    bool show(const std::string& path) override;
    // The program and the argument list the viewer is started with.
    const std::string& program() const { return program_; }
    static std::vector<std::string> argumentsFor(const std::string& path) { return {path}; }

private:
    std::string program_;
};

}  // namespace mmx
