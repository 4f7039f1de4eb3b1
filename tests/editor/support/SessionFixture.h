#pragma once

#include "bios/SyntheticImage.h"
#include "editor/EditorSession.h"
#include "editor/support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kalvero::test {

// A face that remembers what the editor told it to show.
class RecordingView final : public EditorView {
public:
    void showControls(const EditorControls& shown) override { controls = shown; }
    void clearCanvas() override { ++clears; }
    void redrawCanvas() override { ++redraws; }
    bool showBitmap(const std::string& path) override {
        bitmap = refuseBitmaps ? bitmap : path;
        return !refuseBitmaps;
    }
    void removeBitmap() override { bitmap.clear(); }
    std::optional<RgbImage> decodePicture(const std::string&) override { return picture; }

    EditorControls controls; // as last shown
    int clears = 0, redraws = 0;
    std::string bitmap;              // the bitmap file in the preview, "" when none
    bool refuseBitmaps = false;      // as a face that cannot decode them
    std::optional<RgbImage> picture; // what any picture file decodes to
};

// The files the editor's tests open, made in a temporary folder; each
// function gives the file's path.
class EditorFiles {
public:
    std::string path(const std::string& name) const { return dir.file(name).string(); }
    // A logo file whose cells all have the attribute and whose glyph lines
    // are all the given bits.
    std::string writeLogo(const std::string& name, bool tall, std::uint8_t attribute,
                          std::uint8_t glyphBits) const;
    // A two-colour bitmap file with one set pixel at (x, y), or none.
    std::string writeMonoBitmap(const std::string& name, bool tall, int x = -1, int y = -1) const;
    // A 16-colour bitmap file whose pixels all have the colour index.
    std::string writeColourBitmap(const std::string& name, bool tall, int index) const;
    std::string writeImage(const std::string& name, const TestImage& image) const;

    TempDir dir;
};

// An unsaved logo made from the bitmap, as Create EPA leaves it.
void MakeBitmapLogo(EditorSession& session, const std::string& bitmap, bool tall = true);

// An editor session in English, as at a first start, with scripted dialogs
// and a recording face.
class SessionFixture : public ::testing::Test, public EditorFiles {
protected:
    using Chosen = std::optional<std::string>; // a path chosen in a file dialog, or cancelled

    SessionFixture() { controls().german = false; }

    LogoDocument& document() { return session.document(); }
    EditorControls& controls() { return session.controls(); }
    // The controls as the face was last told to show them.
    const EditorControls& shown() const { return view.controls; }
    const MessageRequest& lastMessage() const { return dialogs.messages.back(); }
    // Messages and Backup off: no save-first questions, no backup copies.
    void quiet() { controls().messages = controls().backup = false; }

    // The commands, each with the answer of its file dialog.
    void run(void (EditorSession::*command)(), const Chosen& file) {
        dialogs.files.push_back(file);
        (session.*command)();
    }
    void load(const Chosen& file) { run(&EditorSession::LadeEpa_Command_Click, file); }
    void save(const Chosen& file) { run(&EditorSession::SichEpa_Command_Click, file); }
    void loadBitmap(const Chosen& file) { run(&EditorSession::LadeBmp_Command_Click, file); }

    ScriptedDialogs dialogs;
    RecordingView view;
    EditorSession session{dialogs, view};
};

} // namespace kalvero::test
