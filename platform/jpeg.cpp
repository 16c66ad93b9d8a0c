// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "jpeg.h"

#include <QFile>
#include <QHash>

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr)
{
}

// libjpeg only warns when the data ends early and pads the rest of the picture with grey;
// a cut-off file is not a decodable JPEG, so that warning fails the decoding.
void onEmit(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        onError(info);
}

// Only plain C objects live in this frame, so the longjmp out of libjpeg skips no
// destructor. The image is allocated by the caller.
bool decodeInto(const unsigned char *bytes, unsigned long size, QImage *image)
{
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    errors.base.emit_message = onEmit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0
        || info.output_width > 16384 || info.output_height > 16384) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    QImage image;
    if (!decodeInto(reinterpret_cast<const unsigned char *>(data.constData()),
                    static_cast<unsigned long>(data.size()), &image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage jpegResource(const QString &resourcePath)
{
    // Pictures are shown in several places; each is decoded once. QImage shares its data,
    // so the cached copies cost nothing more.
    static QHash<QString, QImage> decoded;
    const auto found = decoded.constFind(resourcePath);
    if (found != decoded.constEnd())
        return *found;
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QImage image = decodeJpeg(file.readAll());
    decoded.insert(resourcePath, image);
    return image;
}
