#pragma once
// A small hosted component for the resizer's tests: a window of its own (a
// child of its site's widget) that it places itself when a container sets its
// Left/Top/Width/Height (values in the container's units, unitsPerPixel of
// them to a pixel) or calls Move. Which members it offers is chosen per test;
// every call that places it is logged.
#include "platform/com/control.h"
#include "platform/com/host.h"

#include <QComboBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cmath>

namespace dorrin::resizer::test {

struct ComponentShape {
  bool move = true;       // offers Move(left, top, width[, height])
  bool properties = true; // offers Left/Top/Width/Height
  bool heightWritable = true;
  bool comboBox = false;  // its window is a combo box
  bool refuseAll = false; // every placing call fails
  bool fontSize = false;  // offers FontSize (points)
  bool line = false;      // only X1/Y1/X2/Y2: a line from the window's top left to its bottom right
};

class PlacedComponent final : public com::Object<com::IDispatch, com::IOleObject, com::IOleWindow> {
public:
  enum : com::DISPID { kMove = 1, kLeft, kTop, kWidth, kHeight, kFontSize, kX1, kY1, kX2, kY2 };

  PlacedComponent(ComponentShape shape, double unitsPerPixel = 1)
      : shape_(shape), perPixel_(unitsPerPixel) {}

  QStringList log;
  double fontSize = 12;

  com::HRESULT GetIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) override {
    const std::pair<const char *, com::DISPID> known[] = {
        {"Move", shape_.move ? kMove : 0},
        {"Left", shape_.properties ? kLeft : 0},
        {"Top", shape_.properties ? kTop : 0},
        {"Width", shape_.properties ? kWidth : 0},
        {"Height", shape_.properties ? kHeight : 0},
        {"FontSize", shape_.fontSize ? kFontSize : 0},
        {"X1", shape_.line ? kX1 : 0},
        {"Y1", shape_.line ? kY1 : 0},
        {"X2", shape_.line ? kX2 : 0},
        {"Y2", shape_.line ? kY2 : 0}};
    com::HRESULT hr = com::S_OK;
    for (unsigned i = 0; i < count; ++i) {
      ids[i] = com::DISPID_UNKNOWN;
      for (const auto &[name, id] : known)
        if (id && com::sameName(name, names[i])) ids[i] = id;
      if (ids[i] == com::DISPID_UNKNOWN) hr = com::DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  com::HRESULT Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                      com::Variant *result, com::ExcepInfo *, unsigned *) override {
    if (!window_) return com::E_UNEXPECTED;
    QRect g = window_->geometry();
    if (id == kMove && (flags & com::DISPATCH_METHOD)) {
      QStringList args;
      for (const com::Variant &a : params.args)
        args << QString::number(a.toR8().value_or(-1));
      log << QStringLiteral("Move(%1)").arg(args.join(','));
      if (shape_.refuseAll || params.args.size() < 3) return com::E_FAIL;
      g.moveTo(px(params.args[0]), px(params.args[1]));
      g.setWidth(px(params.args[2]));
      if (params.args.size() > 3) g.setHeight(px(params.args[3]));
      window_->setGeometry(g);
      return com::S_OK;
    }
    if (flags & com::DISPATCH_PROPERTYGET) {
      double v = 0;
      switch (id) {
      case kLeft:
      case kX1:
        v = g.x() * perPixel_;
        break;
      case kTop:
      case kY1:
        v = g.y() * perPixel_;
        break;
      case kWidth:
        v = g.width() * perPixel_;
        break;
      case kHeight:
        v = g.height() * perPixel_;
        break;
      case kX2:
        v = (g.x() + g.width()) * perPixel_;
        break;
      case kY2:
        v = (g.y() + g.height()) * perPixel_;
        break;
      case kFontSize:
        v = fontSize;
        break;
      default:
        return com::DISP_E_MEMBERNOTFOUND;
      }
      if (result) *result = com::Variant(static_cast<float>(v));
      return com::S_OK;
    }
    if (!(flags & com::DISPATCH_PROPERTYPUT) || params.args.empty())
      return com::DISP_E_MEMBERNOTFOUND;
    const com::Variant &value = params.args.back();
    static const char *const names[] = {"",         "Move", "Left", "Top", "Width", "Height",
                                        "FontSize", "X1",   "Y1",   "X2",  "Y2"};
    if (id < kLeft || id > kY2) return com::DISP_E_MEMBERNOTFOUND;
    log << QStringLiteral("%1=%2").arg(names[id]).arg(value.toR8().value_or(-1));
    if (id == kFontSize) {
      fontSize = value.toR8().value_or(fontSize);
      return com::S_OK;
    }
    if (shape_.refuseAll || (id == kHeight && !shape_.heightWritable)) return com::E_FAIL;
    // A line's ends move one at a time: X1 keeps X2 where it is.
    switch (id) {
    case kLeft:
      g.moveLeft(px(value));
      break;
    case kTop:
      g.moveTop(px(value));
      break;
    case kWidth:
      g.setWidth(px(value));
      break;
    case kHeight:
      g.setHeight(px(value));
      break;
    case kX1:
      g.setLeft(px(value));
      break;
    case kY1:
      g.setTop(px(value));
      break;
    case kX2:
      g.setWidth(px(value) - g.x());
      break;
    default:
      g.setHeight(px(value) - g.y());
      break;
    }
    window_->setGeometry(g);
    return com::S_OK;
  }

  com::HRESULT SetClientSite(com::IOleClientSite *site) override {
    QWidget *parent = site ? site->GetParentWidget() : nullptr;
    if (parent && !window_) {
      window_ = shape_.comboBox ? new QComboBox(parent) : new QWidget(parent);
      window_->setObjectName(QStringLiteral("placedComponent"));
    }
    return com::S_OK;
  }
  com::HRESULT GetClientSite(com::IOleClientSite **out) override {
    if (out) *out = nullptr;
    return com::E_NOTIMPL;
  }
  com::HRESULT Close() override { return com::S_OK; }
  QWidget *GetWidget() override { return window_; }

private:
  int px(const com::Variant &v) const {
    return static_cast<int>(std::lround(v.toR8().value_or(0) / perPixel_));
  }

  ComponentShape shape_;
  double perPixel_;
  QPointer<QWidget> window_;
};

} // namespace dorrin::resizer::test
