#include "picture/PictureModule.h"

#include "document/FileIo.h"
#include "picture/PictureLimits.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kalvero {
namespace {

struct Library {
    void* handle = nullptr;
    std::string problem;
};

Library OpenLibrary(const std::filesystem::path& file) {
#ifdef _WIN32
    HMODULE handle = LoadLibraryW(file.c_str());
    if (handle == nullptr) {
        return {nullptr, std::system_category().message(static_cast<int>(GetLastError()))};
    }
    return {reinterpret_cast<void*>(handle), {}};
#else
    // RTLD_LOCAL: Qt's symbols stay out of the program's way.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* problem = dlerror();
        return {nullptr, problem != nullptr ? problem : "unknown error"};
    }
    return {handle, {}};
#endif
}

void* FindSymbol(void* library, const char* name) {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return dlsym(library, name);
#endif
}

unsigned char* StorePixels(void* context, int width, int height) {
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) {
        return nullptr;
    }
    RgbImage& image = *static_cast<RgbImage*>(context);
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return reinterpret_cast<unsigned char*>(image.pixels.data());
}

} // namespace

PictureModule::PictureModule(const std::filesystem::path& file) {
    const std::string name = Utf8FromPath(file);
    if (!PathExists(file)) {
        problem_ = Reason::of<"cannot read pictures: the picture module {} is missing",
                              "kann keine Bilder lesen: das Bildmodul {} fehlt">(name);
        return;
    }
    const Library library = OpenLibrary(file);
    if (library.handle == nullptr) {
        problem_ = Reason::of<"cannot read pictures: the picture module {} cannot be loaded ({})",
                              "kann keine Bilder lesen: das Bildmodul {} lässt sich nicht laden "
                              "(Meldung des Systems: {})">(name, library.problem);
        return;
    }
    const auto version = reinterpret_cast<KalveroPictureAbiVersionFunction>(
        FindSymbol(library.handle, KALVERO_PICTURE_ABI_VERSION_SYMBOL));
    decode_ = reinterpret_cast<KalveroPictureDecodeFunction>(
        FindSymbol(library.handle, KALVERO_PICTURE_DECODE_SYMBOL));
    if (version == nullptr || decode_ == nullptr || version() != KALVERO_PICTURE_ABI_VERSION) {
        decode_ = nullptr;
        problem_ = Reason::of<"cannot read pictures: the picture module {} does not belong to "
                              "this version of the program",
                              "kann keine Bilder lesen: das Bildmodul {} gehört nicht zu dieser "
                              "Version des Programms">(name);
    }
}

FileResult<DecodedPicture> PictureModule::decode(std::span<const std::uint8_t> file) const {
    if (decode_ == nullptr) {
        return FileError{FileProblem::Other, problem_};
    }
    DecodedPicture picture;
    const KalveroPictureRequest request{file.data(), file.size(), StorePixels, &picture.pixels};
    KalveroPictureAnswer answer{KALVERO_PICTURE_NOT_ACCEPTED, 0, nullptr, nullptr};
    decode_(&request, &answer);
    if (answer.status != KALVERO_PICTURE_DECODED) {
        return FileError{answer.status == KALVERO_PICTURE_TOO_LARGE ? FileProblem::TooLarge
                                                                    : FileProblem::NotAccepted,
                         answer.reason != nullptr && answer.german != nullptr
                             ? Reason::carried(answer.reason, answer.german)
                             : Reason::of<"not a picture", "kein Bild">()};
    }
    picture.tall = answer.tall != 0;
    return picture;
}

} // namespace kalvero
