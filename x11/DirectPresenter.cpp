#include "DirectPresenter.h"

#include <iostream>
#include <string>
#include <utility>

#include <QGuiApplication>

#include "ShmPresenter.h"
#include "ShmSurfacePresenter.h"

std::unique_ptr<DirectPresenter> DirectPresenter::Open(bool sayWhyNot)
{
    std::string reason;
    std::unique_ptr<ShmPresenter> shm;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        reason = "the display is not X11";
    } else {
        shm = ShmPresenter::Open(nullptr, reason);
    }
    if (!shm) {
        if (sayWhyNot) {
            std::cerr << "quillbrook: cannot share the picture's memory with the display (" << reason
                      << "); showing it through Qt\n";
        }
        return nullptr;
    }
    return std::make_unique<ShmSurfacePresenter>(std::move(shm));
}
