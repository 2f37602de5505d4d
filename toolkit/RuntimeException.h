#pragma once
// The program's failures: one exception family, each with an error number and a message.

#include <QByteArray>
#include <QString>

#include <exception>

class RuntimeException : public std::exception
{
public:
    explicit RuntimeException(const QString &message = QString(), qint64 errorNumber = 0)
        : ErrorNumber(errorNumber)
        , Message(message)
        , m_what(message.toUtf8())
    {}

    const char *what() const noexcept override { return m_what.constData(); }

    qint64 ErrorNumber = 0;
    QString Message;

private:
    QByteArray m_what;
};

#define VANTREL_RUNTIME_EXCEPTION(Name)                                                                                \
    class Name : public RuntimeException                                                                               \
    {                                                                                                                  \
    public:                                                                                                            \
        using RuntimeException::RuntimeException;                                                                      \
    };

VANTREL_RUNTIME_EXCEPTION(NilObjectException)
VANTREL_RUNTIME_EXCEPTION(OutOfBoundsException)
VANTREL_RUNTIME_EXCEPTION(IOException)
VANTREL_RUNTIME_EXCEPTION(UnsupportedOperationException)
VANTREL_RUNTIME_EXCEPTION(InvalidArgumentException)
VANTREL_RUNTIME_EXCEPTION(KeyNotFoundException)
VANTREL_RUNTIME_EXCEPTION(TypeMismatchException)
VANTREL_RUNTIME_EXCEPTION(RegExException)

#undef VANTREL_RUNTIME_EXCEPTION
