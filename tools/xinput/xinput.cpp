// Native helper of the end-to-end driver: real pointer and key input through
// the X server (XTest), as a person's mouse and keyboard reach Wine. Wine starts
// a Unix program without the pipes it was given, so the helper connects to the
// driver's port on 127.0.0.1 (its first argument; without one it uses stdin and
// stdout) and first sends "hello NONCE" (its second argument), so the driver
// knows it talks to the helper it started. It reads one command a line and
// answers "ok" to each "." once the X server has taken everything before it.
// A command that cannot be read or that the X server refuses is answered with
// "error: ..." in place of its reply, and the helper goes on.
//   m X Y      move the pointer to the root point X,Y, as a mouse does: by a
//              relative step from where X has it (a clip may hold it short)
//   d B / u B  press / release button B
//   k NAME     press and release the key of that keysym name (Return, a, 5 ...)
//   kd NAME / ku NAME   press / release it alone (modifiers: Control_L ...)
//   s MS       sleep MS milliseconds
//   q          reply with where X has the pointer ("X Y")
//   p X Y      reply with the screen's pixel there as the X server shows it ("R G B")
//   t H        reserve H pixels at the bottom of the screen, as a taskbar does:
//              a dock window with a strut under a window manager (alive while the
//              helper runs), the root's work area itself without one
//   w          wait up to 10 s until the window manager has dealt with all
//              that came before: it answers a frame-extents request in turn
//              (at once without one)
//   z          hold on to what was made until killed (a strut lives with its client)
//   l          reply with the mapped windows on the root, top first, one a line:
//              "X Y W H name", the name of the window or of its client inside
//              a window manager's frame ("-" without one); ends with "end"
//   .          sync and reply "ok"
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// What the X server refused since the last command, for its error line: the
// default handler would end the helper at the first bad request.
static char Refused[160];

static int OnXError(Display* display, XErrorEvent* e)
{
    char text[96] = "";
    XGetErrorText(display, e->error_code, text, sizeof(text));
    std::snprintf(Refused, sizeof(Refused), "%s (request %d.%d)", text, e->request_code, e->minor_code);
    return 0;
}

static bool Key(Display* display, const char* name, int down, int up)
{
    KeySym sym = XStringToKeysym(name);
    KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
    if (code == 0)
        return false;
    if (down)
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    if (up)
        XTestFakeKeyEvent(display, code, False, CurrentTime);
    return true;
}

static void Where(Display* display, int* x, int* y)
{
    Window root, child;
    int wx, wy;
    unsigned int mask;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, x, y, &wx, &wy, &mask);
}

static bool WindowManagerRuns(Display* display)
{
    Atom type;
    int format;
    unsigned long count = 0, left;
    unsigned char* data = NULL;
    XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False),
                       0, 1, False, AnyPropertyType, &type, &format, &count, &left, &data);
    if (data != NULL)
        XFree(data);
    return count != 0;
}

// A program that made thousands of changes can leave the window manager seconds
// behind; a new window that reuses one of that program's ids then gets the old
// window's place. It answers this request only after all that came before.
static bool WindowManagerCaughtUp(Display* display)
{
    if (!WindowManagerRuns(display))
        return true;
    Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, probe, PropertyChangeMask);
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    XEvent ask = {};
    ask.xclient.type = ClientMessage;
    ask.xclient.window = probe;
    ask.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    ask.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &ask);
    XFlush(display);
    bool answered = false;
    for (int waited = 0; !answered && waited < 10000; waited += 5) {
        XEvent e;
        while (!answered && XCheckTypedWindowEvent(display, probe, PropertyNotify, &e))
            answered = e.xproperty.atom == extents;
        if (!answered)
            usleep(5000);
    }
    XDestroyWindow(display, probe);
    return answered;
}

static void ReserveBottom(Display* display, int height)
{
    Window root = DefaultRootWindow(display);
    const int width = DisplayWidth(display, 0), full = DisplayHeight(display, 0);
    if (!WindowManagerRuns(display)) {
        long area[4] = {0, 0, width, full - height};
        XChangeProperty(display, root, XInternAtom(display, "_NET_WORKAREA", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(area), 4);
        return;
    }
    // Painted by the server, and placed where it says: without a position hint
    // openbox centres it, a stripe of stale pixels over the desktop.
    XSetWindowAttributes attr = {};
    attr.background_pixel = 0x404040;
    Window dock = XCreateWindow(display, root, 0, full - height, width, height, 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWBackPixel, &attr);
    XSizeHints hints = {};
    hints.flags = USPosition | PPosition | USSize | PSize;
    hints.x = 0, hints.y = full - height, hints.width = width, hints.height = height;
    XSetWMNormalHints(display, dock, &hints);
    long strut[4] = {0, 0, 0, height};
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(strut), 4);
    Atom dockType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, dock, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dockType), 1);
    XMapWindow(display, dock);
}

// The first WM_NAME found in the window or below it, two levels down (a frame).
static bool NameIn(Display* display, Window w, int depth, char* name, size_t size)
{
    char* text = NULL;
    if (XFetchName(display, w, &text) && text != NULL) {
        std::snprintf(name, size, "%s", text);
        XFree(text);
        return true;
    }
    Window root, parent, *kids = NULL;
    unsigned int n = 0;
    bool found = false;
    if (depth > 0 && XQueryTree(display, w, &root, &parent, &kids, &n))
        for (unsigned int i = 0; i < n && !found; ++i)
            found = NameIn(display, kids[i], depth - 1, name, size);
    if (kids != NULL)
        XFree(kids);
    return found;
}

static void ListStacking(Display* display, FILE* out)
{
    Window root, parent, *kids = NULL;
    unsigned int n = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &kids, &n);
    for (unsigned int i = n; i-- > 0;) {
        XWindowAttributes a;
        char name[128] = "-";
        if (XGetWindowAttributes(display, kids[i], &a) && a.map_state == IsViewable) {
            NameIn(display, kids[i], 2, name, sizeof(name));
            std::fprintf(out, "%d %d %d %d %s\n", a.x, a.y, a.width, a.height, name);
        }
    }
    if (kids != NULL)
        XFree(kids);
    std::fprintf(out, "end\n");
}

int main(int argc, char** argv)
{
    FILE* in = stdin;
    FILE* out = stdout;
    if (argc > 1) {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<uint16_t>(std::atoi(argv[1])));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int s = socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0 || connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) != 0) {
            std::perror("xinput: connect");
            return 1;
        }
        // A reply comes in small writes (a pixel, then "ok"): without this the second
        // waits for the driver's delayed acknowledgement, some 40 ms a question.
        const int immediate = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &immediate, sizeof(immediate));
        in = fdopen(s, "r");
        out = fdopen(dup(s), "w");
        std::fprintf(out, "hello %s\n", argc > 2 ? argv[2] : "");
        std::fflush(out);
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        std::fprintf(out, "error: no display\n");
        std::fflush(out);
        return 1;
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(out, "error: no XTEST\n");
        std::fflush(out);
        return 1;
    }
    XSetErrorHandler(OnXError);
    char line[256];
    while (std::fgets(line, sizeof(line), in) != NULL) {
        char verb[8] = "", name[64] = "";
        int a = 0, b = 0;
        line[std::strcspn(line, "\r\n")] = 0;
        if (std::sscanf(line, "%7s", verb) != 1)
            continue;
        const char* unread = NULL;
        if (std::strcmp(verb, "m") == 0 && std::sscanf(line + 1, "%d %d", &a, &b) == 2) {
            int x = 0, y = 0;
            Where(display, &x, &y);
            XTestFakeRelativeMotionEvent(display, a - x, b - y, CurrentTime);
            // XTest steps on from where it last put the pointer, and misses a move
            // the X server made itself (into a clip's confining grab): a step that
            // lands elsewhere is made again from there. An absolute move would
            // reach Wine as a stray step while it clips.
            XSync(display, False);
            Where(display, &x, &y);
            if (x != a || y != b)
                XTestFakeRelativeMotionEvent(display, a - x, b - y, CurrentTime);
        } else if ((std::strcmp(verb, "d") == 0 || std::strcmp(verb, "u") == 0) &&
                   std::sscanf(line + 1, "%d", &a) == 1) {
            XTestFakeButtonEvent(display, a, verb[0] == 'd', CurrentTime);
        } else if (verb[0] == 'k' && std::sscanf(line + std::strlen(verb), "%63s", name) == 1) {
            if (!Key(display, name, verb[1] != 'u', verb[1] != 'd'))
                unread = "no such key";
        } else if (std::strcmp(verb, "s") == 0 && std::sscanf(line + 1, "%d", &a) == 1) {
            XFlush(display);
            usleep(static_cast<useconds_t>(a) * 1000);
        } else if (std::strcmp(verb, "q") == 0) {
            int x = 0, y = 0;
            Where(display, &x, &y);
            std::fprintf(out, "%d %d\n", x, y);
        } else if (std::strcmp(verb, "p") == 0 && std::sscanf(line + 1, "%d %d", &a, &b) == 2) {
            XImage* image = XGetImage(display, DefaultRootWindow(display), a, b, 1, 1, AllPlanes, ZPixmap);
            if (image != NULL) {
                const unsigned long pixel = XGetPixel(image, 0, 0);
                XDestroyImage(image);
                std::fprintf(out, "%lu %lu %lu\n", (pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255);
            }
        } else if (std::strcmp(verb, "t") == 0 && std::sscanf(line + 1, "%d", &a) == 1) {
            ReserveBottom(display, a);
        } else if (std::strcmp(verb, "w") == 0) {
            if (!WindowManagerCaughtUp(display))
                unread = "the window manager did not answer in 10 s";
        } else if (std::strcmp(verb, "z") == 0) {
            XSync(display, False);
            for (;;)
                pause();
        } else if (std::strcmp(verb, "l") == 0) {
            ListStacking(display, out);
        } else if (std::strcmp(verb, ".") == 0) {
            std::fprintf(out, "ok\n");
        } else {
            unread = "cannot read";
        }
        // Each command's own errors, before the next one is sent.
        XSync(display, False);
        if (unread != NULL || Refused[0] != 0)
            std::fprintf(out, "error: '%s': %s\n", line, unread != NULL ? unread : Refused);
        Refused[0] = 0;
        std::fflush(out);
    }
    XCloseDisplay(display);
    return 0;
}
