#pragma once
// The application object: owner of the program's windows, with the program
// title (from the program file's name), the traffic-light icon and the
// terminate flag. Its notify override is the last net for errors that escape
// a handler: they are shown in the error box and the loop goes on.

#include <QApplication>

class TPermisoApplication : public QApplication {
  Q_OBJECT
 public:
  TPermisoApplication(int& argc, char** argv);

  QString Title() const;
  bool Terminated() const;
  void Terminate();

  bool notify(QObject* receiver, QEvent* event) override;
};
