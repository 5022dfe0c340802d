#include "PngWriter.h"

#include "WindowCapture.h"

#include <wincodec.h>

#include <cwchar>

namespace {

// Holds one interface pointer and releases it when it goes.
template <class Interface> class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (pointer)
            pointer->Release();
    }
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;

    Interface **Out() { return &pointer; }
    Interface *operator->() const { return pointer; }
    Interface *Get() const { return pointer; }

private:
    Interface *pointer = nullptr;
};

std::wstring Failure(const wchar_t *step, HRESULT status)
{
    wchar_t text[100];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls failed (0x%08lx)", step,
                  static_cast<unsigned long>(status));
    return text;
}

} // namespace

PngWriter::PngWriter()
{
    HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comJoined = SUCCEEDED(joined);
    factoryStatus = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IWICImagingFactory, reinterpret_cast<void **>(&factory));
}

PngWriter::~PngWriter()
{
    if (factory)
        factory->Release();
    if (comJoined)
        CoUninitialize();
}

bool PngWriter::Ready(std::wstring &error) const
{
    if (factory)
        return true;
    error = Failure(L"creating the imaging factory", factoryStatus);
    return false;
}

bool PngWriter::Write(const std::wstring &path, const WindowCapture &image,
                      std::wstring &error) const
{
    if (!Ready(error))
        return false;

    ComRef<IWICStream> stream;
    HRESULT status = factory->CreateStream(stream.Out());
    if (SUCCEEDED(status))
        status = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (FAILED(status)) {
        error = Failure(L"opening the file", status);
        return false;
    }

    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    status = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (SUCCEEDED(status))
        status = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(status))
        status = encoder->CreateNewFrame(frame.Out(), nullptr);
    if (SUCCEEDED(status))
        status = frame->Initialize(nullptr);
    if (SUCCEEDED(status))
        status = frame->SetSize(image.Width(), image.Height());
    if (FAILED(status)) {
        error = Failure(L"preparing the PNG encoder", status);
        return false;
    }

    // The encoder may answer with another format; the pixels are only
    // ever written as they are.
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    status = frame->SetPixelFormat(&format);
    if (SUCCEEDED(status) && !IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) {
        error = L"the PNG encoder does not take 32-bit BGRA pixels";
        return false;
    }
    UINT stride = image.Stride();
    UINT size = stride * static_cast<UINT>(image.Height());
    if (SUCCEEDED(status))
        status =
            frame->WritePixels(image.Height(), stride, size, const_cast<BYTE *>(image.Pixels()));
    if (SUCCEEDED(status))
        status = frame->Commit();
    if (SUCCEEDED(status))
        status = encoder->Commit();
    if (FAILED(status)) {
        error = Failure(L"writing the PNG", status);
        return false;
    }
    return true;
}
