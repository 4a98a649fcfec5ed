#pragma once
// How a printer opens its preview window without knowing the window: the
// printer makes an instance of the preview factory class and asks it for a
// window. The base factory opens nothing; the preview library installs the
// standard one when it starts, so the printer never links upwards.

#include <QObject>
#include <memory>

class QWidget;
class TQRPrinter;

class TQRPreviewInterface : public QObject {
 public:
  explicit TQRPreviewInterface(QObject* owner = nullptr) : QObject(owner) {}
  // Each returns the window it opened, or nothing.
  virtual QWidget* OpenWindow(TQRPrinter* printer);
  virtual QWidget* OpenWindowModal(TQRPrinter* printer);
};

// The class reference: makes a fresh factory instance.
using TQRPreviewInterfaceClass = std::unique_ptr<TQRPreviewInterface> (*)();

TQRPreviewInterfaceClass PreviewInterfaceClass();
void SetPreviewInterfaceClass(TQRPreviewInterfaceClass factoryClass);

template <class T>
std::unique_ptr<TQRPreviewInterface> MakePreviewInterface() {
  return std::make_unique<T>();
}
