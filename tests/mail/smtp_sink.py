"""A loopback SMTP server for the mail tests.

Listens on 127.0.0.1 at a port the system picks and prints that port on the first line of its
output; with a certificate it offers STARTTLS (and requires it) or speaks TLS from the start. Every message received is added to the Maildir folder given, with the envelope sender
and recipients in added X-Envelope-From and X-Envelope-To header lines, so that a test can see
who a blind copy went to. The server stops when its standard input closes.
"""

import argparse
import asyncio
import mailbox
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class MaildirHandler:
    def __init__(self, folder, refused_domain):
        self.mailbox = mailbox.Maildir(folder, create=True)
        self.refused_domain = refused_domain

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.refused_domain and address.lower().endswith("@" + self.refused_domain):
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        envelope_lines = "X-Envelope-From: %s\r\nX-Envelope-To: %s\r\n" % (
            envelope.mail_from, ", ".join(envelope.rcpt_tos))
        self.mailbox.add(envelope_lines.encode("ascii") + envelope.original_content)
        return "250 Message accepted for delivery"


class Authenticator:
    def __init__(self, user, password):
        self.user = user.encode()
        self.password = password.encode()

    def __call__(self, server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login == self.user \
            and auth_data.password == self.password
        return AuthResult(success=ok, handled=False)


async def serve(arguments):
    handler = MaildirHandler(arguments.maildir, arguments.refuse_domain)
    options = {}
    if arguments.user:
        options = dict(authenticator=Authenticator(arguments.user, arguments.password),
                       auth_required=True, auth_require_tls=False)
    context = None
    if arguments.tls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(arguments.certificate, arguments.key)
    if arguments.tls == "starttls":
        options.update(tls_context=context, require_starttls=True)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(lambda: SMTP(handler, hostname="sink.test", **options),
                                      host="127.0.0.1", port=0,
                                      ssl=context if arguments.tls == "tls" else None)
    print(server.sockets[0].getsockname()[1], flush=True)
    await loop.run_in_executor(None, sys.stdin.read)
    server.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--maildir", required=True)
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--refuse-domain", default="")
    parser.add_argument("--tls", choices=["", "starttls", "tls"], default="")
    parser.add_argument("--certificate", default="")
    parser.add_argument("--key", default="")
    asyncio.run(serve(parser.parse_args()))


if __name__ == "__main__":
    main()
